#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/ini/ini_file.h"

namespace corvantel::i18n {

// The current language file (LanguageFile) and the lookup of one English text in it. Outside a
// translation pass the file is read afresh at every call, so a language file edited while the program
// runs counts at the next lookup. A translation pass (a Pass object alive) reads it once for all the
// lookups made during the pass:
//
//   {
//     i18n::Translator::Pass pass(translator);
//     ... translator.Translate(...) for every caption ...
//   }
//   if (!translator.problem().empty()) show it;
//
// A language file larger than kMaxLanguageFileBytes is not read at all: every text stays English and
// problem() says why.
class Translator {
 public:
  static constexpr std::size_t kMaxLanguageFileBytes = 4u << 20;

  Translator() = default;
  explicit Translator(std::string languageFile) : m_languageFile(std::move(languageFile)) {}

  const std::string& languageFile() const { return m_languageFile; }
  void setLanguageFile(std::string path) { m_languageFile = std::move(path); }

  // The value of `english` in section "Translations", or `english` itself when the file has none.
  std::string Translate(const std::string& english) const;
  // The locale the language file names for the toolkit's own texts (key "Locale" of section "Language",
  // for example "de"); empty when it names none.
  std::string locale() const;

  // What was wrong with the language file at its last read, empty when nothing was (a missing file is
  // not a problem: it simply leaves every text English):
  //   The language file <path> is larger than 4 MB; it is not used and the texts stay in English
  //   The language file <path> cannot be read; the texts stay in English
  const std::string& problem() const { return m_problem; }

  // One read of the language file for every lookup while it lives. Passes may nest; the outermost one
  // reads the file.
  class Pass {
   public:
    explicit Pass(const Translator& translator);
    ~Pass();
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

   private:
    const Translator& m_translator;
  };

 private:
  ini::IniFile load() const;

  std::string m_languageFile;
  mutable std::string m_problem;
  mutable std::optional<ini::IniFile> m_passFile;
  mutable int m_passDepth = 0;
};

}  // namespace corvantel::i18n
