#include "core/ini/ini_file.h"

#include <unordered_set>

#include "core/error.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"
#include "core/io/text_codec.h"
#include "core/io/utf8.h"

namespace corvantel::ini {

bool isIniBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

namespace {

std::string_view trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && isIniBlank(s[b])) ++b;
  while (e > b && isIniBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// The section name of a head line, or nothing when the line is not one.
std::optional<std::string_view> sectionName(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

struct KeyValue {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyValue{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// Cuts UTF-8 text to at most `maxChars` characters.
std::string cutToChars(std::string s, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == maxChars) {
        s.resize(i);
        break;
      }
      ++chars;
    }
  }
  return s;
}

}  // namespace

IniFile::IniFile(std::string bytes) : m_bytes(std::move(bytes)) {
  // The whole file is read in one encoding, so that keys, sections and values agree: UTF-8 when the bytes
  // are valid UTF-8, else Windows-1252 (files of older copies), held as UTF-8 from here on.
  if (!io::isValidUtf8(m_bytes)) m_bytes = io::windows1252ToUtf8(m_bytes);
  m_lines = splitLines();
}

IniFile IniFile::load(const std::string& path) {
  auto bytes = io::readFileBytes(path);
  return IniFile(bytes ? std::move(*bytes) : std::string());
}

std::vector<IniFile::Line> IniFile::splitLines() const {
  std::vector<Line> out;
  const std::size_t n = m_bytes.size();
  // A byte-order mark belongs to no line: the first section head behind it is still a head.
  std::size_t begin = m_bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  for (std::size_t i = begin; i < n; ++i) {
    char c = m_bytes[i];
    if (c == '\n') {
      out.push_back({begin, i - begin, i + 1});
      begin = i + 1;
    } else if (c == '\r') {
      std::size_t end = (i + 1 < n && m_bytes[i + 1] == '\n') ? i + 2 : i + 1;
      out.push_back({begin, i - begin, end});
      i = end - 1;
      begin = end;
    }
  }
  if (begin < n) out.push_back({begin, n - begin, n});
  return out;
}

IniFile::Located IniFile::locate(const std::vector<Line>& all, std::string_view section,
                                 std::optional<std::string_view> key) const {
  Located where;
  std::size_t i = 0;
  for (; i < all.size(); ++i) {
    auto name = sectionName(text(all[i]));
    if (name && io::equalsIgnoringAsciiCase(*name, section)) break;
  }
  if (i == all.size()) return where;
  where.sectionFound = true;
  where.sectionHead = i;
  for (++i; i < all.size(); ++i) {
    std::string_view line = text(all[i]);
    if (sectionName(line)) break;
    if (!where.key && key) {
      auto kv = keyValue(line);
      if (kv && io::equalsIgnoringAsciiCase(kv->key, *key)) where.key = i;
    }
  }
  where.sectionEnd = i;
  return where;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const auto& all = m_lines;
  Located where = locate(all, trim(section), trim(key));
  if (!where.key) return std::nullopt;
  auto kv = keyValue(text(all[*where.key]));
  return cutToChars(std::string(unquote(kv->value)), kMaxValueChars);
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  std::vector<std::string> out;
  const auto& all = m_lines;
  Located where = locate(all, trim(section), std::nullopt);
  if (!where.sectionFound) return out;
  std::unordered_set<std::string> seen;  // lower-case names, so that a long list stays linear
  for (std::size_t i = where.sectionHead + 1; i < where.sectionEnd; ++i) {
    auto kv = keyValue(text(all[i]));
    if (kv && seen.insert(io::toLowerAscii(kv->key)).second) out.emplace_back(kv->key);
  }
  return out;
}

std::vector<std::string> IniFile::sections() const {
  std::vector<std::string> out;
  std::unordered_set<std::string> seen;
  for (const Line& line : m_lines) {
    auto name = sectionName(text(line));
    if (name && seen.insert(io::toLowerAscii(*name)).second) out.emplace_back(*name);
  }
  return out;
}

bool IniFile::setValue(std::string_view sectionIn, std::string_view keyIn, std::string_view valueIn) {
  // Names are taken without the blanks around them, the value without its leading blanks, as the
  // platform's writer does. A name that the reader would split differently would write a line that
  // reads back as something else (another key, a section head); such names are refused. A line break in
  // a value would start a new line of the file: it is written as a blank instead.
  const auto hasLineBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
  const std::string_view section = trim(sectionIn);
  const std::string_view key = trim(keyIn);
  if (hasLineBreak(section) || hasLineBreak(key) || key.find('=') != std::string_view::npos ||
      (!key.empty() && key.front() == '[')) {
    throw Error("Invalid name in a settings file");
  }
  std::string value(valueIn);
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::size_t lead = 0;
  while (lead < value.size() && isIniBlank(value[lead])) ++lead;
  value.erase(0, lead);
  const std::vector<Line> all = m_lines;
  Located where = locate(all, section, key);
  if (where.key) {
    const Line& line = all[*where.key];
    auto kv = keyValue(text(line));
    if (kv->value == value) return false;
    // The key keeps the spelling it has in the file.
    std::string replaced = std::string(kv->key) + "=" + std::string(value);
    m_bytes.replace(line.begin, line.length, replaced);
    m_lines = splitLines();
    return true;
  }
  if (where.sectionFound) {
    // A line holding only the key's name (no "=") defines nothing for the reader, but the writer takes it
    // for the key and completes it.
    for (std::size_t i = where.sectionHead + 1; i < where.sectionEnd; ++i) {
      const std::string_view line = text(all[i]);
      if (line.find('=') == std::string_view::npos && io::equalsIgnoringAsciiCase(trim(line), key)) {
        std::string completed = std::string(trim(line)) + "=" + value;
        m_bytes.replace(all[i].begin, all[i].length, completed);
        m_lines = splitLines();
        return true;
      }
    }
  }
  std::string entry = std::string(key) + "=" + std::string(value) + "\r\n";
  if (where.sectionFound) {
    // Directly before the next section head, or at the end of the file.
    std::size_t at = where.sectionEnd < all.size() ? all[where.sectionEnd].begin : m_bytes.size();
    if (at == m_bytes.size() && !all.empty() && all.back().end == all.back().begin + all.back().length) {
      entry.insert(0, "\r\n");  // the last line has no line end of its own
    }
    m_bytes.insert(at, entry);
    m_lines = splitLines();
    return true;
  }
  if (!all.empty() && all.back().end == all.back().begin + all.back().length) m_bytes += "\r\n";
  m_bytes += "[" + std::string(section) + "]\r\n" + entry;
  m_lines = splitLines();
  return true;
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
  const std::vector<Line> all = m_lines;
  Located where = locate(all, trim(section), trim(key));
  if (!where.key) return false;
  const Line& line = all[*where.key];
  m_bytes.erase(line.begin, line.end - line.begin);
  m_lines = splitLines();
  return true;
}

bool IniFile::removeSection(std::string_view section) {
  const std::vector<Line> all = m_lines;
  Located where = locate(all, trim(section), std::nullopt);
  if (!where.sectionFound) return false;
  std::size_t begin = all[where.sectionHead].begin;
  std::size_t end = where.sectionEnd < all.size() ? all[where.sectionEnd].begin : m_bytes.size();
  m_bytes.erase(begin, end - begin);
  m_lines = splitLines();
  return true;
}

void IniFile::save(const std::string& path) const { io::writeFileAtomic(path, m_bytes, "Unable to write to %s"); }

std::optional<std::string> readValue(const std::string& path, std::string_view section, std::string_view key) {
  return IniFile::load(path).value(section, key);
}

std::string readString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  return IniFile::load(path).valueOr(section, key, defaultValue);
}

std::string IniFile::valueOr(std::string_view section, std::string_view key, std::string_view defaultValue) const {
  if (auto v = value(section, key)) return *v;
  // The default is taken as a value would be: without its trailing blanks and one pair of quotation marks.
  while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
  return cutToChars(std::string(unquote(defaultValue)), IniFile::kMaxValueChars);
}

void writeString(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
  // A file that cannot be written is an error even when the value is already stored.
  if (io::directoryExists(path) || io::isWriteProtected(path)) throw Error(fillMessage("Unable to write to %s", path));
  IniFile file = IniFile::load(path);
  const bool existed = io::fileExists(path);
  if (file.setValue(section, key, value) || !existed) file.save(path);
}

}  // namespace corvantel::ini
