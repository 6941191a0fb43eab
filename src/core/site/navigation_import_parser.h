#pragma once

// A page parsed by the HTML5 parser, for the navigation import.

#include <gumbo.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace corvantel::site {

// The parser takes time that grows with the square of the nesting depth: at this depth a page still takes
// well under a second, and no real page comes near it.
inline constexpr std::size_t kMaxImportNesting = 2000;

// The parse tree of a page (UTF-8 text). Refuses, with corvantel::Error, a page whose elements nest more
// than kMaxImportNesting deep before it reaches the parser. The nodes live as long as the object and are
// let go of all at once, without walking the tree, so any depth is safe to tear down.
class ParsedPage {
 public:
  explicit ParsedPage(std::string_view utf8);
  ~ParsedPage();
  ParsedPage(const ParsedPage&) = delete;
  ParsedPage& operator=(const ParsedPage&) = delete;

  const GumboNode* root() const { return m_output->root; }

 private:
  class Arena;
  std::string m_text;
  std::unique_ptr<Arena> m_arena;
  GumboOutput* m_output = nullptr;
};

}  // namespace corvantel::site
