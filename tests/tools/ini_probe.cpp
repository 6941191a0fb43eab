// ini_probe: the profile-file module on the command line, so that it can be compared with other
// implementations byte for byte.
//
//   ini_probe get FILE SECTION KEY DEFAULT   prints {"ret":N,"hex":"..."}
//   ini_probe put FILE SECTION KEY VALUE     prints {"ok":1} or {"ok":0}
//
// SECTION, KEY, DEFAULT and VALUE are "x" followed by the hexadecimal digits of their bytes ("x" alone
// is the empty text) or "-" for none. Like the platform's reader, get with no SECTION lists the section
// names and get with no KEY lists the keys of the section, each name followed by a NUL byte (N counts
// the bytes without a last extra NUL); a missing DEFAULT is the empty text. put with no VALUE removes
// the key, with no KEY the whole section; put with no SECTION is not supported.
//
// get and put go through readString and writeString, so the probe shows the profile rules of
// core/ini/ini_file.h as they are: blanks around the names ignored, a quoted default unquoted, a write
// trimming the key and the value's leading blanks, finding a key in any letter case and keeping its
// spelling, completing a line that holds only the key's name, leaving the file untouched when the value
// is already stored, failing ({"ok":0}) on a read-only file even then, and writing line breaks as blanks.
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ini/ini_file.h"

namespace {

using corvantel::ini::IniFile;

// "-" -> nothing, "x4142" -> "AB"; throws on a malformed argument.
std::optional<std::string> decodeArgument(const std::string& arg) {
  if (arg == "-") return std::nullopt;
  if (arg.empty() || arg[0] != 'x' || (arg.size() - 1) % 2 != 0) throw std::invalid_argument(arg);
  auto nibble = [&](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument(arg);
  };
  std::string out;
  for (std::size_t i = 1; i < arg.size(); i += 2) {
    out.push_back(static_cast<char>(nibble(arg[i]) * 16 + nibble(arg[i + 1])));
  }
  return out;
}

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::string nulList(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) {
    out += n;
    out.push_back('\0');
  }
  return out;
}

int get(const std::string& path, const std::optional<std::string>& section, const std::optional<std::string>& key,
        const std::optional<std::string>& fallback) {
  std::string result;
  if (!section) {
    result = nulList(IniFile::load(path).sections());
  } else if (!key) {
    result = nulList(IniFile::load(path).keys(*section));
  } else {
    result = corvantel::ini::readString(path, *section, *key, fallback.value_or(std::string()));
  }
  std::printf("{\"ret\":%zu,\"hex\":\"%s\"}\n", result.size(), hex(result).c_str());
  return 0;
}

bool put(const std::string& path, const std::optional<std::string>& section, const std::optional<std::string>& key,
         const std::optional<std::string>& value) {
  if (!section) return false;
  if (key && value) {
    corvantel::ini::writeString(path, *section, *key, *value);
    return true;
  }
  IniFile file = IniFile::load(path);
  const bool changed = key ? file.removeKey(*section, *key) : file.removeSection(*section);
  if (changed) file.save(path);
  return true;
}

int usage() {
  std::fprintf(stderr, "usage: ini_probe get FILE SECTION KEY DEFAULT | put FILE SECTION KEY VALUE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) return usage();
  const std::string command = argv[1];
  if (command != "get" && command != "put") return usage();
  std::optional<std::string> section, key, last;
  try {
    section = decodeArgument(argv[3]);
    key = decodeArgument(argv[4]);
    last = decodeArgument(argv[5]);
  } catch (const std::invalid_argument&) {
    return usage();
  }
  if (command == "get") return get(argv[2], section, key, last);
  bool ok = false;
  try {
    ok = put(argv[2], section, key, last);
  } catch (const std::exception&) {
    ok = false;
  }
  std::printf("{\"ok\":%d}\n", ok ? 1 : 0);
  return 0;
}
