#include "core/i18n/translate.h"

#include "core/ini/ini_file.h"

namespace corvantel::i18n {

std::string Translator::Translate(const std::string& english) const {
  return ini::readString(m_languageFile, "Translations", english, english);
}

}  // namespace corvantel::i18n
