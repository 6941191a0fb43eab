#include <gtest/gtest.h>
#include <stdlib.h>

#include "core/i18n/locale_captions.h"

using namespace corvantel;

namespace {
const std::vector<std::string> kLabels = {
    "Default=Current folder:", "0009=Current folder:", "0406=Valgt mappe:", "0407=Ausgewählter Ordner:",
    "0409=Current folder:",    "0413=Huidige map",     "0807=Ausgewählter Ordner:", "0C07=Ausgewählter Ordner:"};
}  // namespace

TEST(LocaleCaptions, TheThreeStepChoice) {
  EXPECT_EQ(i18n::chooseCaption(kLabels, "0407"), "Ausgewählter Ordner:");
  EXPECT_EQ(i18n::chooseCaption(kLabels, "0c07"), "Ausgewählter Ordner:");  // names match without case
  EXPECT_EQ(i18n::chooseCaption(kLabels, "0413"), "Huidige map");
  EXPECT_EQ(i18n::chooseCaption(kLabels, "041D"), "Current folder:");  // not listed: Default
  EXPECT_EQ(i18n::chooseCaption(kLabels, ""), "Current folder:");
  EXPECT_EQ(i18n::chooseCaption({"0407=Neuer Ordner", "0406=Ny mappe"}, "0409"), "Neuer Ordner");  // first line
  EXPECT_EQ(i18n::chooseCaption({}, "0407"), "");
  EXPECT_EQ(i18n::chooseCaption({"Default=Aktueller Ordner:"}, "0407"), "Aktueller Ordner:");
  EXPECT_EQ(i18n::chooseCaption({"no value"}, "0407"), "");
  EXPECT_EQ(i18n::chooseCaption({"Default=a=b"}, ""), "a=b");  // the value runs to the end of the line
}

TEST(LocaleCaptions, KeysFromLocaleNames) {
  EXPECT_EQ(i18n::localeKeyFromLocaleName("de_DE.UTF-8"), "0407");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("de_CH"), "0807");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("de_AT.ISO-8859-1@euro"), "0C07");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("en_GB.UTF-8"), "0809");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("en_US"), "0409");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("en_NZ"), "1409");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("pt_BR.utf8"), "0416");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("nl_NL"), "0413");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("it_CH"), "0810");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("da"), "0406");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("de"), "0407");   // the language's default country
  EXPECT_EQ(i18n::localeKeyFromLocaleName("de_XX"), "0407");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("C.UTF-8"), "");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("POSIX"), "");
  EXPECT_EQ(i18n::localeKeyFromLocaleName(""), "");
  EXPECT_EQ(i18n::localeKeyFromLocaleName("tlh_QO"), "");
}

TEST(LocaleCaptions, EnvironmentOrderIsLcAllThenLcMessagesThenLang) {
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::string saved[3];
  bool had[3];
  for (int i = 0; i < 3; ++i) {
    const char* v = getenv(names[i]);
    had[i] = v != nullptr;
    saved[i] = v ? v : "";
  }
  setenv("LANG", "en_GB.UTF-8", 1);
  setenv("LC_MESSAGES", "de_CH.UTF-8", 1);
  unsetenv("LC_ALL");
  EXPECT_EQ(i18n::localeKeyFromEnvironment(), "0807");
  setenv("LC_ALL", "da_DK", 1);
  EXPECT_EQ(i18n::localeKeyFromEnvironment(), "0406");
  unsetenv("LC_ALL");
  setenv("LC_MESSAGES", "", 1);
  EXPECT_EQ(i18n::localeKeyFromEnvironment(), "0809");
  for (int i = 0; i < 3; ++i) {
    if (had[i]) {
      setenv(names[i], saved[i].c_str(), 1);
    } else {
      unsetenv(names[i]);
    }
  }
}
