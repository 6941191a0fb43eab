#include "core/generator/generator_text.h"

#include <cstdio>

namespace corvantel::generator {

std::string colorToHex(std::int32_t color) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%06X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
  const std::string hex(digits);
  return hex.substr(4, 2) + hex.substr(2, 2) + hex.substr(0, 2);
}

std::string escapeQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string quoteAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace corvantel::generator
