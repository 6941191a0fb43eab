#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

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
  // `encodingName` is an entry of the encoding list; an empty name means UTF-8. An encoding that browsers no
  // longer read is replaced by writtenEncoding(). Throws corvantel::Error when the system has no converter.
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
  void convertRun(std::string& out, std::string_view utf8, Unencodable mode);
  void resetShiftState(std::string& out);
  bool readsBack(char32_t codePoint, std::string_view utf8);

  std::string m_charset;
  void* m_cd = nullptr;  // iconv_t; null for UTF-8
  void* m_check = nullptr;  // iconv_t of the round-trip check: UTF-8 into the encoding
  void* m_back = nullptr;   // iconv_t of the round-trip check: the encoding back into UTF-8
  bool m_asciiTransparent = true;
  std::unordered_map<char32_t, bool> m_readsBack;  // code point -> whether it survives the round trip
};

// The encoding a page chosen in `encodingName` is written in: the same, except for encodings that browsers
// no longer decode, which are replaced by one that they read for the same script (ISO-2022-KR by EUC-KR,
// ISO-2022-JP-2 by UTF-8).
std::string writtenEncoding(const std::string& encodingName);
// The warning shown when a project's encoding is replaced so (in the settings dialog and after a
// generation run); empty when the encoding is written as chosen.
std::string encodingSubstitutionWarning(const std::string& encodingName);

// The name of the system converter that writes a declared encoding (browsers read Shift_JIS with the
// Windows table).
std::string converterName(const std::string& encodingName);

// The replacement text for one code point that the encoding cannot hold.
std::string unencodableText(char32_t codePoint, Unencodable mode);

}  // namespace corvantel::generator
