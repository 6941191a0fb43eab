#pragma once

// The caption of an imported item, built piece by piece from the text and inline elements of a link.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvantel::site {

// Captions are HTML: text is escaped, kept inline elements are written as bare tags. Runs of blanks, tabs
// and line breaks become one blank, none at the ends (a tab would end the caption in the item's text); an
// element left with no visible text goes with its tags. At most `maxCharacters` characters of text are
// kept; a longer text ends in an ellipsis. Every step takes time in proportion to what it adds, so any
// nesting depth and any length are safe.
class CaptionBuilder {
 public:
  explicit CaptionBuilder(std::size_t maxCharacters) : m_max(maxCharacters) {}

  // Appends UTF-8 text.
  void text(std::string_view utf8);
  // A break between words (<br>).
  void blank();
  // Opens an element written as <tag>...</tag>, or, for a null tag, one that is left out but still has to
  // be closed.
  void open(const char* tag);
  void close();

  // The caption; every element still open is closed.
  std::string finish();
  // Whether text was cut at the length limit.
  bool shortened() const { return m_shortened; }

 private:
  struct Open {
    const char* tag;
    std::size_t position;   // where its start tag begins in m_out
    std::size_t visible;    // m_visible when it opened
    bool endsWithBlank;     // m_endsWithBlank before it opened
    bool blankBefore;       // opening it wrote the blank that was waiting
  };
  void flushBlank();

  std::size_t m_max;
  std::string m_out;
  std::vector<Open> m_open;
  std::size_t m_visible = 0;  // characters of text written, blanks included
  bool m_pendingBlank = false;
  bool m_endsWithBlank = false;
  bool m_full = false;
  bool m_shortened = false;
};

}  // namespace corvantel::site
