#include "core/i18n/language_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/i18n/translate.h"
#include "core/ini/ini_file.h"
#include "core/io/file_io.h"
#include "core/io/ascii.h"

namespace corvantel::i18n {

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(io::toLowerAscii(x)) < static_cast<unsigned char>(io::toLowerAscii(y));
  });
  if (less) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
        return static_cast<unsigned char>(io::toLowerAscii(x)) < static_cast<unsigned char>(io::toLowerAscii(y));
      })) {
    return false;
  }
  return a < b;  // names that differ only in letter case keep one fixed order
}

}  // namespace

bool isLanguageFileName(std::string_view fileName) {
  constexpr std::string_view ext = ".lng";
  if (fileName.size() <= ext.size()) return false;
  return io::equalsIgnoringAsciiCase(fileName.substr(fileName.size() - ext.size()), ext);
}

std::vector<LanguageEntry> listLanguageFiles(const std::string& programFolder) {
  namespace fs = std::filesystem;
  const std::string folder = programFolder + "Language/";

  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), fs::directory_options::skip_permission_denied, ec);
  if (ec) return {};
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (isLanguageFileName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), lessIgnoringCase);

  std::vector<LanguageEntry> entries;
  for (const std::string& name : names) {
    const std::string path = folder + name;
    std::error_code kind;
    if (fs::is_directory(fs::path(path), kind)) continue;  // a folder named "x.lng" holds no names
    // The same size limit as for translating: a huge file is skipped, not read.
    io::ReadResult read = io::readFile(path, Translator::kMaxLanguageFileBytes);
    if (!read.ok()) continue;
    const ini::IniFile file(std::move(read.bytes));
    std::string language = file.value("Language", "Language").value_or("");
    if (language.empty()) continue;
    entries.push_back({std::move(language), file.value("Language", "Localized").value_or(""), path});
  }
  return entries;
}

}  // namespace corvantel::i18n
