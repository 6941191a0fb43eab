#include "core/palette/color_text.h"

#include <array>
#include <cstdio>

#include "core/io/ascii.h"
#include "core/palette/color_palette_table.h"

namespace corvantel::palette {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<document::Color> parseHex(std::string_view digits) {
  if (digits.size() != 3 && digits.size() != 6) return std::nullopt;
  std::array<int, 6> d{};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    d[i] = io::hexDigitValue(digits[i]);
    if (d[i] < 0) return std::nullopt;
  }
  if (digits.size() == 3) return document::makeColor(d[0] * 17, d[1] * 17, d[2] * 17);
  return document::makeColor(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
}

// "R, G, B": three whole numbers from 0 to 255 separated by commas.
std::optional<document::Color> parseTriple(std::string_view text) {
  std::array<int, 3> v{};
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',');
    const bool last = i == 2;
    if (last != (comma == std::string_view::npos)) return std::nullopt;
    const std::string_view part = trimmed(text.substr(0, comma));
    if (part.empty() || part.size() > 3) return std::nullopt;
    int n = 0;
    for (char c : part) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n > 255) return std::nullopt;
    v[static_cast<std::size_t>(i)] = n;
    if (!last) text.remove_prefix(comma + 1);
  }
  return document::makeColor(v[0], v[1], v[2]);
}

}  // namespace

std::optional<document::Color> parseColorText(std::string_view text) {
  text = trimmed(text);
  if (text.empty()) return std::nullopt;
  if (text.front() == '#') return parseHex(text.substr(1));
  return parseTriple(text);
}

std::string hexColorText(document::Color color) {
  std::array<char, 8> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "#%02X%02X%02X", redOf(color), greenOf(color), blueOf(color));
  return buffer.data();
}

}  // namespace corvantel::palette
