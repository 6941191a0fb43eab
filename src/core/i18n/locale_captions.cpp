#include "core/i18n/locale_captions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/io/ascii.h"

namespace corvantel::i18n {

namespace {

std::string_view nameOf(std::string_view line) { return line.substr(0, line.find('=')); }

std::string valueOf(std::string_view line) {
  const std::size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
}

struct Language {
  const char* code;
  unsigned primary;
};

// Primary language identifiers of the desktop's language identifiers.
constexpr Language kLanguages[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"hu", 0x0E},
    {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14}, {"no", 0x14},
    {"pl", 0x15}, {"pt", 0x16}, {"rm", 0x17}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sk", 0x1B},
    {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20}, {"id", 0x21}, {"uk", 0x22},
    {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27}, {"fa", 0x29}, {"vi", 0x2A},
    {"hy", 0x2B}, {"eu", 0x2D}, {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37}, {"fo", 0x38}, {"hi", 0x39},
    {"ga", 0x3C}, {"ms", 0x3E}, {"kk", 0x3F}, {"sw", 0x41}, {"cy", 0x52}, {"gl", 0x56},
};

struct Country {
  const char* locale;  // language_COUNTRY
  unsigned sublanguage;
};

// Countries whose sublanguage is not the language's default (1).
constexpr Country kCountries[] = {
    {"de_CH", 2},  {"de_AT", 3},  {"de_LU", 4},  {"de_LI", 5},  {"en_GB", 2},  {"en_AU", 3},  {"en_CA", 4},
    {"en_NZ", 5},  {"en_IE", 6},  {"en_ZA", 7},  {"en_JM", 8},  {"en_BZ", 10}, {"en_TT", 11}, {"en_ZW", 12},
    {"en_PH", 13}, {"en_IN", 16}, {"en_MY", 17}, {"en_SG", 18}, {"it_CH", 2},  {"nl_BE", 2},  {"pt_PT", 2},
    {"fr_BE", 2},  {"fr_CA", 3},  {"fr_CH", 4},  {"fr_LU", 5},  {"fr_MC", 6},  {"es_ES", 3},  {"es_MX", 2},
    {"es_GT", 4},  {"es_CR", 5},  {"es_PA", 6},  {"es_DO", 7},  {"es_VE", 8},  {"es_CO", 9},  {"es_PE", 10},
    {"es_AR", 11}, {"es_EC", 12}, {"es_CL", 13}, {"es_UY", 14}, {"es_PY", 15}, {"es_BO", 16}, {"es_SV", 17},
    {"es_HN", 18}, {"es_NI", 19}, {"es_PR", 20}, {"es_US", 21}, {"sv_FI", 2},  {"zh_CN", 2},  {"zh_HK", 3},
    {"zh_SG", 4},  {"zh_MO", 5},  {"nn_NO", 2},  {"ar_IQ", 2},  {"ar_EG", 3},  {"ko_KR", 1},  {"ms_BN", 2},
};

}  // namespace

std::string chooseCaption(const std::vector<std::string>& lines, std::string_view localeKey) {
  if (lines.empty()) return {};
  if (!localeKey.empty()) {
    for (const std::string& line : lines) {
      if (io::equalsIgnoringAsciiCase(nameOf(line), localeKey)) return valueOf(line);
    }
  }
  for (const std::string& line : lines) {
    if (io::equalsIgnoringAsciiCase(nameOf(line), "Default")) return valueOf(line);
  }
  return valueOf(lines.front());
}

std::string localeKeyFromLocaleName(std::string_view name) {
  const std::size_t end = name.find_first_of(".@");
  name = name.substr(0, end);
  const std::size_t underscore = name.find('_');
  const std::string language = io::toLowerAscii(name.substr(0, underscore));
  const std::string country =
      underscore == std::string_view::npos ? std::string() : io::toUpperAscii(name.substr(underscore + 1));

  const std::string lookup = language == "nn" ? std::string("no") : language;
  unsigned primary = 0;
  for (const Language& l : kLanguages) {
    if (lookup == l.code) primary = l.primary;
  }
  if (primary == 0) return {};
  unsigned sublanguage = 1;
  const std::string full = language + "_" + country;
  for (const Country& c : kCountries) {
    if (full == c.locale) sublanguage = c.sublanguage;
  }
  if (language == "nn" && country.empty()) sublanguage = 2;
  char key[16];
  std::snprintf(key, sizeof key, "%04X", ((sublanguage << 10) | primary) & 0xFFFFu);
  return key;
}

std::string localeKeyFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return localeKeyFromLocaleName(value);
  }
  return {};
}

}  // namespace corvantel::i18n
