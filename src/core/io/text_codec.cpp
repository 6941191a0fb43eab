#include "core/io/text_codec.h"

#include <cstdint>

#include "core/io/utf8.h"

namespace corvantel::io {

namespace {

// Code points of bytes 0x80..0x9F in Windows-1252.
constexpr std::uint16_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out.push_back(ch);
    } else if (c < 0xA0) {
      appendUtf8(out, kHighTable[c - 0x80]);
    } else {
      appendUtf8(out, c);
    }
  }
  return out;
}

std::string decodeFileText(std::string bytes) {
  if (isValidUtf8(bytes)) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
      bytes.erase(0, 3);
    }
    return bytes;
  }
  return windows1252ToUtf8(bytes);
}

}  // namespace corvantel::io
