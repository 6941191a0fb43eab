#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvantel::ini {

// One profile (INI) file held as its bytes. Reading follows the platform's profile reader:
// - "[name]" starts a section; the name runs to the last "]" of the line and is trimmed; a "[" line
//   without "]" is no section head;
// - "key=value" lines, split at the first "="; blanks (space, tab, VT, FF, Ctrl-Z) around key and value
//   are dropped; a value in a pair of single or double quotation marks loses them; a line without "="
//   defines nothing; there are no inline comments;
// - section and key names match without regard to letter case; only the first section of a name is
//   searched and the first of duplicate keys counts; values are cut to 2047 characters;
// - the section and key names given to a read or a write are taken without the blanks around them.
// Writing changes one key at a time and leaves every other line byte for byte as it was. It takes the
// value without its leading blanks, finds an existing key whatever its letter case and keeps the key's
// spelling, completes a line that holds only the key's name with "=value", and leaves the bytes as they
// are when the value is already stored.
class IniFile {
 public:
  static constexpr std::size_t kMaxValueChars = 2047;

  IniFile() = default;  // an empty profile
  explicit IniFile(std::string bytes);

  // The file's contents, or an empty profile when it does not exist or cannot be read.
  static IniFile load(const std::string& path);

  // The value of `key` in `section`, or nothing when missing. A file whose bytes are not valid UTF-8 is
  // read as Windows-1252 and held as UTF-8 (bytes() then gives the converted text).
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

  // The value of `key`, or `defaultValue` as readString() takes a default.
  std::string valueOr(std::string_view section, std::string_view key, std::string_view defaultValue) const;

  // Key names of the first section called `section`, in file order, first occurrences only.
  std::vector<std::string> keys(std::string_view section) const;
  // Section names in file order, first occurrences only.
  std::vector<std::string> sections() const;

  // Sets `key` in `section` to `value`. Returns false when the stored value already equals it (the bytes
  // stay untouched). A new key goes directly before the next section head; a new section is appended.
  // Line breaks in `value` are written as blanks; a section or key name that would not read back as
  // itself (a line break, a "=" in a key, a key that begins with "[") throws corvantel::Error.
  bool setValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes the first `key` line of the section. Returns whether something was removed.
  bool removeKey(std::string_view section, std::string_view key);
  // Removes the first section of that name with all its lines.
  bool removeSection(std::string_view section);

  // Writes the bytes to `path` atomically; throws corvantel::Error("Unable to write to <path>").
  void save(const std::string& path) const;

  const std::string& bytes() const { return m_bytes; }

 private:
  struct Line {
    std::size_t begin;   // first byte of the line
    std::size_t length;  // bytes before the line end
    std::size_t end;     // first byte after the line end
  };
  struct Located {
    bool sectionFound = false;
    std::size_t sectionHead = 0;     // index of the section's head line
    std::size_t sectionEnd = 0;      // index of the line after the section's last line
    std::optional<std::size_t> key;  // index of the key's line
  };

  // The lines of m_bytes; m_lines is kept in step with every change of the bytes.
  std::vector<Line> splitLines() const;
  // `key` nothing: only the section is looked for.
  Located locate(const std::vector<Line>& lines, std::string_view section, std::optional<std::string_view> key) const;
  std::string_view text(const Line& line) const { return std::string_view(m_bytes).substr(line.begin, line.length); }

  std::string m_bytes;
  std::vector<Line> m_lines;
};

// The profile functions of the program, on a file path.
std::optional<std::string> readValue(const std::string& path, std::string_view section, std::string_view key);
// Like the platform's reader: a missing key gives `defaultValue` with its trailing blanks removed and
// then one pair of enclosing quotation marks, as a stored value loses them.
std::string readString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view defaultValue);
// Sets one key and replaces the file atomically; a file that does not exist is created; a value already
// stored leaves the file untouched. Throws corvantel::Error("Unable to write to <path>") when the file
// cannot be written (a folder, write-protected), also when the value is already stored.
void writeString(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

// Blanks the reader drops around keys and values.
bool isIniBlank(char c);

}  // namespace corvantel::ini
