#include "core/io/path_shortening.h"

#include <algorithm>
#include <vector>

#include "core/io/utf8.h"

namespace corvantel::io {

namespace {

// The path as code points, so that counting and cutting never split a character.
std::u32string toCodePoints(std::string_view utf8) {
  std::u32string out;
  while (!utf8.empty()) {
    char32_t cp;
    const std::size_t n = decodeUtf8(utf8, cp);
    // Broken bytes are kept as they are (one "character" each), so that nothing of the path is lost.
    out += n == 1 && static_cast<unsigned char>(utf8[0]) >= 0x80 ? char32_t(0x110000 + (unsigned char)utf8[0]) : cp;
    utf8.remove_prefix(n);
  }
  return out;
}

std::string toUtf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    if (c >= 0x110000) {
      out += static_cast<char>(c - 0x110000);
    } else {
      appendUtf8(out, c);
    }
  }
  return out;
}

}  // namespace

std::string shortenPath(std::string_view pathText, int maxChars, char separator) {
  std::u32string path = toCodePoints(pathText);
  const std::size_t m = maxChars > 0 ? static_cast<std::size_t>(maxChars) : 0;
  const char32_t sep = static_cast<unsigned char>(separator);
  auto firstChars = [&](std::size_t count) { return toUtf8(path.substr(0, count)); };

  if (path.size() <= m || maxChars <= 5 || path.find(sep) == std::u32string::npos) return firstChars(m);
  if (path.size() < 3 || std::count(path.begin() + 2, path.end(), sep) <= 1) return firstChars(m);

  // Leading separators (one for an absolute path, two for a network path) are kept as they are.
  std::size_t leading = 0;
  while (leading < 2 && path[leading] == sep) ++leading;
  const std::u32string prefix = path.substr(0, leading);
  path.erase(0, leading);
  std::size_t cut = path.find(sep);
  std::u32string result = prefix + path.substr(0, cut + 1) + U"...";
  do {
    path.erase(0, cut + 1);
    cut = path.find(sep);
  } while (result.size() + path.size() >= m && cut != std::u32string::npos);

  std::u32string shown = result + sep + path;
  if (result.size() + path.size() >= m) shown = shown.substr(0, m - 3) + U"...";
  return toUtf8(shown);
}

}  // namespace corvantel::io
