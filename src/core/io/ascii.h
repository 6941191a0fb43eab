#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The ASCII side of the program's texts: letter case, which the files' keys and names ignore whatever the
// user's locale, and decimal and hexadecimal numbers as fields and files write them.
namespace corvantel::io {

// The value of a hexadecimal digit (either letter case), or -1 when `c` is none.
constexpr int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
constexpr bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr char toLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char toUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string toLowerAscii(std::string_view text);
std::string toUpperAscii(std::string_view text);

// Equality without regard to the case of ASCII letters (other bytes must match exactly).
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// A decimal 32-bit integer: an optional sign followed by digits only (leading zeros allowed); nothing for
// anything else, a value outside the int32 range included.
std::optional<std::int32_t> parseInt32(std::string_view text);

// An address's percent escapes decoded: "%41" becomes "A"; a "%" not followed by two hexadecimal digits
// stays as it is, as browsers keep it. The result may be any bytes.
std::string percentDecoded(std::string_view text);

}  // namespace corvantel::io
