#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvantel::i18n {

// A caption from a list of "name=value" lines whose names are locale keys (four upper-case hexadecimal
// digits, a desktop language identifier such as 0407) or "Default": the line named by `localeKey`, else the
// "Default" line, else the first line; an empty list gives an empty caption. Names match without regard
// to letter case.
std::string chooseCaption(const std::vector<std::string>& lines, std::string_view localeKey);

// The locale key of a POSIX locale name ("de_CH.UTF-8" gives "0807", "en_GB" "0809", a language alone its
// default country: "de" gives "0407"). Empty for "C", "POSIX" and languages the program does not know.
std::string localeKeyFromLocaleName(std::string_view localeName);

// The locale key of the user's message language: LC_ALL, else LC_MESSAGES, else LANG.
std::string localeKeyFromEnvironment();

}  // namespace corvantel::i18n
