#include "core/generator/output_encoding.h"

#include <cerrno>
#include <iconv.h>

#include "core/error.h"
#include "core/io/ascii.h"
#include "core/io/utf8.h"

namespace corvantel::generator {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

iconv_t handle(void* cd) { return static_cast<iconv_t>(cd); }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && io::equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

void appendHex4(std::string& out, unsigned unit) {
  static const char digits[] = "0123456789ABCDEF";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(unit >> shift) & 0xF];
}

// Resets a converter to its initial state and appends the bytes that get it there.
void appendReset(iconv_t cd, std::string& out) {
  char buffer[64];
  char* o = buffer;
  std::size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &o, &outLeft);
  out.append(buffer, sizeof buffer - outLeft);
}

// Converts a short piece whole; false when the converter refuses any of it.
bool convertWhole(iconv_t cd, std::string_view in, std::string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buffer[64];
  char* i = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* o = buffer;
  std::size_t outLeft = sizeof buffer;
  if (iconv(cd, &i, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) return false;
  out.assign(buffer, sizeof buffer - outLeft);
  appendReset(cd, out);
  return true;
}

}  // namespace

// Browsers read a page declared Shift_JIS with the Windows code page 932 table, where 0x5C is the backslash
// and 0x7E the tilde; the strict table would turn a backslash or a tilde of an address into something else,
// so the Windows table writes it.
std::string converterName(const std::string& encodingName) {
  if (startsWithNoCase(encodingName, "SHIFT_JIS")) return "CP932";
  return encodingName;
}

std::string writtenEncoding(const std::string& encodingName) {
  if (io::equalsIgnoringAsciiCase(encodingName, "ISO-2022-KR")) return "EUC-KR";
  if (io::equalsIgnoringAsciiCase(encodingName, "ISO-2022-JP-2")) return "UTF-8";
  return encodingName;
}

std::string encodingSubstitutionWarning(const std::string& encodingName) {
  const std::string written = writtenEncoding(encodingName);
  if (written == encodingName) return {};
  return "Browsers no longer read pages in " + encodingName + ": the page and the menu data are written in " +
         written + " instead, and declared so.";
}

std::string unencodableText(char32_t codePoint, Unencodable mode) {
  std::string text;
  if (mode == Unencodable::CharacterReference) {
    text = "&#" + std::to_string(static_cast<unsigned long>(codePoint)) + ";";
  } else if (codePoint >= 0x10000) {
    const char32_t v = codePoint - 0x10000;
    appendHex4(text, 0xD800 + static_cast<unsigned>(v >> 10));
    appendHex4(text, 0xDC00 + static_cast<unsigned>(v & 0x3FF));
  } else {
    appendHex4(text, static_cast<unsigned>(codePoint));
  }
  return text;
}

OutputEncoding::OutputEncoding(const std::string& encodingName) {
  const std::string written = writtenEncoding(encodingName);
  if (written.empty() || startsWithNoCase(written, "UTF-8")) {
    m_charset = "UTF-8";
    return;
  }
  m_charset = written;
  const std::string converter = converterName(written);
  iconv_t cd = iconv_open(converter.c_str(), "UTF-8");
  iconv_t check = iconv_open(converter.c_str(), "UTF-8");
  iconv_t back = iconv_open("UTF-8", converter.c_str());
  const auto failed = reinterpret_cast<iconv_t>(-1);
  if (cd == failed || check == failed || back == failed) {
    for (iconv_t h : {cd, check, back}) {
      if (h != failed) iconv_close(h);
    }
    throw Error(fillMessage("The encoding %s is not available on this system", encodingName));
  }
  m_cd = cd;
  m_check = check;
  m_back = back;
  // Stateful encodings may need a shift sequence before plain ASCII, so everything goes through iconv.
  m_asciiTransparent = !startsWithNoCase(written, "ISO-2022");
}

OutputEncoding::~OutputEncoding() {
  for (void* h : {m_cd, m_check, m_back}) {
    if (h) iconv_close(handle(h));
  }
}

void OutputEncoding::append(std::string& out, std::string_view utf8, Unencodable mode) {
  if (!m_cd) {
    appendUtf8(out, utf8);
    return;
  }
  if (!m_asciiTransparent) {
    appendConverted(out, utf8, mode);
    return;
  }
  // ASCII is the same in every other listed encoding: runs of it are copied, only the rest is converted.
  // A multi-byte UTF-8 sequence holds no ASCII byte, so the runs split the text between characters.
  auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    const char* run = p;
    while (p < end && isAscii(*p)) ++p;
    out.append(run, static_cast<std::size_t>(p - run));
    run = p;
    while (p < end && !isAscii(*p)) ++p;
    if (p > run) appendConverted(out, std::string_view(run, static_cast<std::size_t>(p - run)), mode);
  }
}

void OutputEncoding::appendUtf8(std::string& out, std::string_view utf8) {
  // Valid text is copied as it is; only broken sequences are replaced.
  while (!utf8.empty()) {
    std::size_t valid = 0;
    char32_t cp;
    std::size_t n;
    while (valid < utf8.size()) {
      if (static_cast<unsigned char>(utf8[valid]) < 0x80) {
        ++valid;
        continue;
      }
      n = io::decodeUtf8(utf8.substr(valid), cp);
      if (n == 1) break;  // a non-ASCII lead byte that does not start a valid sequence
      valid += n;
    }
    out.append(utf8.data(), valid);
    utf8.remove_prefix(valid);
    if (!utf8.empty()) {
      out += kReplacementUtf8;
      utf8.remove_prefix(1);
    }
  }
}

// Whether a character written in the encoding reads back as itself. Some converters map a character they
// lack onto a look-alike (the yen sign onto the backslash in the Japanese encodings), which a browser then
// shows, and which can end a script string: such characters are escaped like those the encoding lacks.
bool OutputEncoding::readsBack(char32_t codePoint, std::string_view utf8) {
  auto known = m_readsBack.find(codePoint);
  if (known != m_readsBack.end()) return known->second;
  std::string bytes;
  std::string back;
  const bool same = convertWhole(handle(m_check), utf8, bytes) && convertWhole(handle(m_back), bytes, back) &&
                    back == utf8;
  m_readsBack.emplace(codePoint, same);
  return same;
}

// Converts text in runs of characters that survive the trip; the others are written as escapes.
void OutputEncoding::appendConverted(std::string& out, std::string_view utf8, Unencodable mode) {
  std::size_t runStart = 0;
  std::size_t i = 0;
  auto flush = [&](std::size_t end) {
    if (end > runStart) convertRun(out, utf8.substr(runStart, end - runStart), mode);
  };
  while (i < utf8.size()) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    const std::size_t n = io::decodeUtf8(utf8.substr(i), cp);
    const bool broken = n == 1;
    if (readsBack(cp, broken ? kReplacementUtf8 : utf8.substr(i, n))) {
      if (broken) {
        flush(i);
        convertRun(out, kReplacementUtf8, mode);
        runStart = i + 1;
      }
    } else {
      flush(i);
      resetShiftState(out);
      out += unencodableText(cp, mode);
      runStart = i + n;
    }
    i += n;
  }
  flush(utf8.size());
}

void OutputEncoding::convertRun(std::string& out, std::string_view utf8, Unencodable mode) {
  iconv_t cd = handle(m_cd);
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  while (inLeft > 0) {
    const std::size_t start = out.size();
    std::size_t room = inLeft * 4 + 16;
    out.resize(start + room);
    char* o = out.data() + start;
    std::size_t outLeft = room;
    const std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    const int e = errno;
    out.resize(start + (room - outLeft));
    if (r != static_cast<std::size_t>(-1)) break;
    if (e == E2BIG) continue;
    // EILSEQ (a character the encoding lacks, or broken input) or EINVAL (a sequence cut off at the end).
    char32_t cp;
    const std::size_t n = io::decodeUtf8(std::string_view(in, inLeft), cp);
    if (n == 1 && static_cast<unsigned char>(*in) >= 0x80) {
      convertRun(out, kReplacementUtf8, mode);
    } else {
      resetShiftState(out);
      out += unencodableText(cp, mode);
    }
    in += n;
    inLeft -= n;
  }
}

void OutputEncoding::resetShiftState(std::string& out) { appendReset(handle(m_cd), out); }

void OutputEncoding::finish(std::string& out) {
  if (m_cd) resetShiftState(out);
}

}  // namespace corvantel::generator
