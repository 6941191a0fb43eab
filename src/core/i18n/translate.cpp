#include "core/i18n/translate.h"

#include "core/error.h"
#include "core/io/file_io.h"

namespace corvantel::i18n {

namespace {
constexpr const char* kSection = "Translations";
}

ini::IniFile Translator::load() const {
  m_problem.clear();
  io::ReadResult read = io::readFile(m_languageFile, kMaxLanguageFileBytes);
  if (read.failure == io::ReadFailure::TooLarge) {
    m_problem = fillMessage("The language file %s is larger than 4 MB; it is not used and the texts stay in English",
                            m_languageFile);
  } else if (read.failure == io::ReadFailure::Unreadable && !m_languageFile.empty()) {
    m_problem = fillMessage("The language file %s cannot be read; the texts stay in English", m_languageFile);
  }
  // A missing file leaves every text in English without a word.
  return ini::IniFile(read.ok() ? std::move(read.bytes) : std::string());
}

std::string Translator::Translate(const std::string& english) const {
  if (m_passFile) return m_passFile->valueOr(kSection, english, english);
  return load().valueOr(kSection, english, english);
}

std::string Translator::locale() const {
  if (m_passFile) return m_passFile->valueOr("Language", "Locale", "");
  return load().valueOr("Language", "Locale", "");
}

Translator::Pass::Pass(const Translator& translator) : m_translator(translator) {
  if (m_translator.m_passDepth++ == 0) m_translator.m_passFile = m_translator.load();
}

Translator::Pass::~Pass() {
  if (--m_translator.m_passDepth == 0) m_translator.m_passFile.reset();
}

}  // namespace corvantel::i18n
