#pragma once

#include <string>
#include <string_view>

namespace corvantel::generator {

// How a character that the output encoding cannot hold is written instead.
enum class Unencodable {
  CharacterReference,  // "&#8364;" - page text outside script
  ScriptEscape,        // "\u20AC" (UTF-16 units, upper-case hexadecimal) - inside script strings
};

// Converts the program's UTF-8 text into the encoding a generated page declares. One converter is used for
// one whole file: call append() for every piece in order, then finish() once at the end, so that encodings
// with shift states (ISO-2022-*) end in their initial state.
class OutputEncoding {
 public:
  // `encodingName` is an entry of the encoding list; an empty name means UTF-8. Throws corvantel::Error when
  // the system has no converter for it.
  explicit OutputEncoding(const std::string& encodingName);
  ~OutputEncoding();
  OutputEncoding(const OutputEncoding&) = delete;
  OutputEncoding& operator=(const OutputEncoding&) = delete;

  // The name the page declares in its content-type line.
  const std::string& charsetName() const { return m_charset; }
  bool isUtf8() const { return m_cd == nullptr; }

  // Appends `utf8` converted to `out`. Bytes that are not valid UTF-8 are taken as U+FFFD.
  void append(std::string& out, std::string_view utf8, Unencodable mode);
  // Appends whatever returns the output to the encoding's initial state.
  void finish(std::string& out);

 private:
  void appendUtf8(std::string& out, std::string_view utf8);
  void appendConverted(std::string& out, std::string_view utf8, Unencodable mode);
  void resetShiftState(std::string& out);

  std::string m_charset;
  void* m_cd = nullptr;  // iconv_t; null for UTF-8
  bool m_asciiTransparent = true;
};

// The replacement text for one code point that the encoding cannot hold.
std::string unencodableText(char32_t codePoint, Unencodable mode);

}  // namespace corvantel::generator
