// The profile-file reader on arbitrary bytes: look-ups, enumeration and one write on the parsed file.
// Beyond "no crash", it checks what must hold for any input: a found value is at most 2047 characters,
// the names listed can be looked up again, and a value written reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/error.h"
#include "core/ini/ini_file.h"
#include "core/io/ascii.h"
#include "core/io/utf8.h"

namespace {

std::size_t characters(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using corvantel::ini::IniFile;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  IniFile file(bytes);
  check(corvantel::io::isValidUtf8(file.bytes()));

  const auto sections = file.sections();
  for (std::size_t i = 0; i < sections.size() && i < 8; ++i) {
    const auto keys = file.keys(sections[i]);
    for (std::size_t k = 0; k < keys.size() && k < 8; ++k) {
      auto v = file.value(sections[i], keys[k]);
      check(v.has_value());
      check(characters(*v) <= IniFile::kMaxValueChars);
    }
  }
  (void)file.value("Settings", "Language");
  (void)file.value("Translations", "&File");

  // One write, with the section and key taken from the first listed names when there are any.
  std::string section = sections.empty() ? std::string("Settings") : sections.front();
  auto keys = file.keys(section);
  std::string key = keys.empty() ? std::string("Language") : keys.front();
  const std::string value = "[written] value";  // a "]" must not turn a "[..." key into a head
  try {
    IniFile copy = file;
    copy.setValue(section, key, value);
    check(copy.value(section, key) == value);
    if (!corvantel::io::equalsIgnoringAsciiCase(key, "NewKey")) {
      copy.setValue(section, "NewKey", "1");
      check(copy.value(section, "NewKey") == "1");
      check(copy.value(section, key) == value);
    }
  } catch (const corvantel::Error&) {
    // A name that cannot be written back unchanged is refused; nothing else may throw.
  }
  return 0;
}
