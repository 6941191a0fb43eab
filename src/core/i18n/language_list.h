#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvantel::i18n {

// One language file offered by the language dialog.
struct LanguageEntry {
  std::string language;   // key "Language" of section "Language": the name in English, never empty
  std::string localized;  // key "Localized" of section "Language": the name in that language, may be empty
  std::string path;       // ProgramFolder + "Language/" + the file's name
};

// The language files in ProgramFolder + "Language/": every entry whose name ends in ".lng" (in any letter
// case) and whose section "Language" has a non-empty "Language" value, ordered by name without regard to
// letter case, so the list reads the same on every file system. A missing or unreadable folder gives an
// empty list; an unreadable or garbled file is skipped like one without a name.
std::vector<LanguageEntry> listLanguageFiles(const std::string& programFolder);

// Whether `fileName` matches "*.lng".
bool isLanguageFileName(std::string_view fileName);

}  // namespace corvantel::i18n
