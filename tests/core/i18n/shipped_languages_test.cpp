#include <cctype>
// The language files shipped in Language/: every one names its language, translates every text the
// program looks up, and keeps its accelerator letters apart within one menu and one dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/i18n/language_list.h"
#include "core/ini/ini_file.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"

namespace corvantel {
namespace {

const std::string kSourceFolder = std::string(CORVANTEL_SOURCE_DIR) + "/";

// The texts that the windows and the translated messages look up, grouped by where their accelerator
// letters must differ. "&X" and "&Y" stand in the settings dialog untranslated, so their letters are taken.
struct Group {
  const char* name;
  std::vector<std::string> keys;
  std::vector<char> fixedLetters;
};

const std::vector<Group>& groups() {
  static const std::vector<Group> all = {
      {"main window (menu bar buttons and the Set button)", {"&File", "&Menu items", "&Help", "&Set"}, {}},
      {"File menu",
       {"&New project", "&Open project", "&Save project", "Save project &as", "&Project settings",
        "&Generate files from project", "Pre&view in browser", "&Language", "&Exit", "I&mport menu from page...",
        "Put menu &into pages..."},
       {}},
      {"Menu items menu",
       {"Add &menu", "Add &submenu", "&Remove menu", "Move u&p", "Move do&wn", "Move &into item above",
        "Move &out of submenu", "&Undo", "Re&do", "Check &links"},
       {}},
      {"Menu items menu with a step to undo and redo",
       {"Add &menu", "Add &submenu", "&Remove menu", "Move u&p", "Move do&wn", "Move &into item above",
        "Move &out of submenu", "&Undo %1", "Re&do %1", "Check &links"},
       {}},
      {"Help menu", {"&Contents", "Ombrel &web page", "&About"}, {}},
      {"project settings dialog",
       {"Page &title", "&Author", "&Encoding", "Menu &width", "Item &padding", "Keep parent menu &highlited",
        "Font &family", "&Bold", "&Italic", "B&order width", "&Separator size", "&Javascript main menu",
        "Table main menu - &coded position", "Table main menu - &relative position", "Page parameters",
        "Menu parameters", "Font parameters", "Style", "Font color", "Font color - mouse over",
        "Background, border and separator parameters", "Background color", "Background color - mouse over",
        "Border color", "Separator color", "Menu type and position", "Cancel", "Project settings", "Site fol&der",
        "Browse..."},
       {'x', 'y'}},
      {"other texts",
       {"Current folder", "Caption", "URL", "Do you want to save this project ?",
        "This item cannot be removed - it is not a part of menu", "Add menu", "Add submenu", "Remove", "Set", "Move",
        "Do you want to delete \"%1\"?", "Do you want to delete \"%1\" and its subitem?",
        "Do you want to delete \"%1\" and its %2 subitems?", "A project with this name exists already.",
        "Do you want to replace its files?", "Corvantel project", "All files",
        "Set the site folder of the project in its settings first.", "Web pages", "These pages will change:",
        "These pages are left as they were:", "None of the chosen pages changes.", "%1 of %2 pages changed",
        "Link check", "All links found", "Problem", "The address leads outside the site folder",
        "No such file or folder in the site folder",
        "Sitemaps", "Import menu", "Imported %1 from %2.", "1 menu item", "%1 menu items",
        "1 link outside the lists or beside the first link of an entry",
        "%1 links outside the lists or beside the first link of an entry", "1 empty entry", "%1 empty entries",
        "1 address listed twice", "%1 addresses listed twice", "Skipped: %1.",
        "1 caption was shortened to the length limit.", "%1 captions were shortened to the length limit.",
        "The site folder of the project is now %1."},
       {}},
      {"colour palette",
       {"Exact color", "Not a color: type #RRGGBB, #RGB or R, G, B", "More colors", "Intensity: %1%",
        "red: %1, green: %2, blue: %3 (%4)", "Black", "Brown", "Olive Green", "Dark Green", "Dark Teal", "Dark blue",
        "Indigo", "Gray-80%", "Dark Red", "Orange", "Dark Yellow", "Green", "Teal", "Blue", "Blue-Gray", "Gray-50%",
        "Red", "Light Orange", "Lime", "Sea Green", "Aqua", "Light Blue", "Violet", "Grey-40%", "Pink", "Gold",
        "Yellow", "Bright Green", "Turquoise", "Sky Blue", "Plum", "Gray-25%", "Rose", "Tan", "Light Yellow",
        "Light Green", "Light Turquoise", "Pale Blue", "Lavender", "White"},
       {}},
      // The help window's tabs: the tab captions and what the tab shows.
      {"help window, Index tab",
       {"&Contents", "I&ndex", "&Search", "Type in the &keyword to find:", "&Display"},
       {}},
      {"help window, Search tab",
       {"&Contents", "I&ndex", "&Search", "Type in the &word(s) to search for:", "&List topics", "Select a &topic:",
        "&Display"},
       {}},
      {"status line, messages, folder browser, language dialog and help window",
       {"New project (not saved yet)", "unsaved changes", "Generated into %1",
        "The project %1 no longer exists. It has been removed from the list of recent projects.",
        "Cannot create a temporary folder for the preview", "Browse for Folder", "OK", "Computer", "Home",
        "The folder %1 could not be created.", "New folder", "Language", "Localized name of language", "Filename",
        "Corvantel Help", "Back", "Forward", "Start page", "No topic holds these words.", "No help for this item",
        "The help file %1 has no topic for context %2. Choose a topic from the contents.", "Topic not found",
        "The help file has no page %1.", "The help file %1 is missing.", "New project", "Open project",
         "Save project", "Generate files from project", "Add submenu to selected menu", "Remove menu"},
       {}},
  };
  return all;
}

std::set<std::string> allKeys() {
  std::set<std::string> keys;
  for (const Group& g : groups()) keys.insert(g.keys.begin(), g.keys.end());
  return keys;
}

// The accelerator letter of a caption, 0 for none; `error` tells what is wrong with its marks.
char acceleratorOf(const std::string& text, std::string& error) {
  char letter = 0;
  int marks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (i + 1 < text.size() && text[i + 1] == '&') {  // "&&" shows one "&"
      ++i;
      continue;
    }
    ++marks;
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const bool ascii = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9');
    if (!ascii) error = "the mark is not followed by a letter of the keyboard's base layout";
    letter = io::toLowerAscii(next);
  }
  if (marks > 1) error = "more than one accelerator mark";
  return letter;
}

class ShippedLanguage : public ::testing::TestWithParam<std::string> {};

TEST(ShippedLanguages, EnglishAndAtLeastFourTranslationsAreOffered) {
  const std::vector<i18n::LanguageEntry> list = i18n::listLanguageFiles(kSourceFolder);
  std::set<std::string> names;
  for (const i18n::LanguageEntry& e : list) {
    names.insert(e.language);
    EXPECT_FALSE(e.localized.empty()) << e.path;
  }
  for (const char* required : {"English", "German", "French", "Spanish"}) EXPECT_TRUE(names.count(required)) << required;
  EXPECT_GE(list.size(), 5u);
  EXPECT_EQ(names.size(), list.size()) << "two files name the same language";
}

TEST_P(ShippedLanguage, TranslatesEveryTextWithDistinctAccelerators) {
  const std::string path = kSourceFolder + "Language/" + GetParam();
  const auto raw = io::readFileBytes(path);
  ASSERT_TRUE(raw.has_value()) << path;
  const ini::IniFile file(*raw);
  EXPECT_EQ(file.bytes(), *raw) << "not valid UTF-8: the reader would take it as Windows-1252";

  const std::set<std::string> expected = allKeys();
  std::set<std::string> present;
  for (const std::string& key : file.keys("Translations")) {
    present.insert(key);
    EXPECT_TRUE(expected.count(key)) << "a key the program never looks up: \"" << key << "\"";
  }
  for (const std::string& key : expected) EXPECT_TRUE(present.count(key)) << "missing key \"" << key << "\"";
  // The toolkit's own texts follow the locale the file names.
  EXPECT_FALSE(file.value("Language", "Locale").value_or("").empty()) << "no Locale in [Language]";
  // A translation that drops a "%1" shows the message without its file name.
  for (const std::string& key : expected) {
    const std::string value = file.value("Translations", key).value_or("");
    for (const char* mark : {"%1", "%2"}) {
      if (key.find(mark) != std::string::npos) {
        EXPECT_NE(value.find(mark), std::string::npos) << value << ": " << mark;
      }
    }
  }

  for (const Group& group : groups()) {
    std::map<char, std::string> taken;
    for (char c : group.fixedLetters) taken[c] = std::string("&") + char(c - 'a' + 'A');
    for (const std::string& key : group.keys) {
      const std::string value = file.value("Translations", key).value_or("");
      EXPECT_FALSE(value.empty()) << "\"" << key << "\" has no text";
      std::string error;
      const char letter = acceleratorOf(value, error);
      EXPECT_TRUE(error.empty()) << "\"" << value << "\": " << error;
      const bool keyHasMark = key.find('&') != std::string::npos;
      EXPECT_EQ(letter != 0, keyHasMark) << "\"" << value << "\" should " << (keyHasMark ? "" : "not ")
                                         << "carry an accelerator, as \"" << key << "\" does"
                                         << (keyHasMark ? "" : " not");
      if (letter == 0) continue;
      auto [it, added] = taken.emplace(letter, value);
      EXPECT_TRUE(added) << group.name << ": \"" << value << "\" and \"" << it->second << "\" share the letter "
                         << letter;
    }
  }
}

std::vector<std::string> shippedFiles() {
  std::vector<std::string> names;
  for (const i18n::LanguageEntry& e : i18n::listLanguageFiles(kSourceFolder)) names.push_back(e.path.substr(e.path.rfind('/') + 1));
  return names;
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::ValuesIn(shippedFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return name;
                         });

}  // namespace
}  // namespace corvantel
