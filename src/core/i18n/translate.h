#pragma once

#include <string>

namespace corvantel::i18n {

// The current language file (LanguageFile) and the lookup of one English text in it. The file is read
// afresh at every call, so a language file edited while the program runs counts at the next lookup.
class Translator {
 public:
  Translator() = default;
  explicit Translator(std::string languageFile) : m_languageFile(std::move(languageFile)) {}

  const std::string& languageFile() const { return m_languageFile; }
  void setLanguageFile(std::string path) { m_languageFile = std::move(path); }

  // The value of `english` in section "Translations", or `english` itself when the file has none.
  std::string Translate(const std::string& english) const;

 private:
  std::string m_languageFile;
};

}  // namespace corvantel::i18n
