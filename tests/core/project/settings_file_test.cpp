#include "core/project/settings_file.h"

#include <gtest/gtest.h>

#include "core/ini/ini_file.h"
#include "support/core/temp_dir.h"

namespace corvantel::project {
namespace {

TEST(SettingsFile, NewProjectListsTheKeysInOrder) {
  const std::string bytes = settingsFileBytes({}, document::ProjectSettings{});
  EXPECT_EQ(bytes,
            "[Settings]\r\n"
            "BGColor=16775151\r\nFontColor=0\r\nBorderColor=0\r\nFontColorOver=16777215\r\n"
            "BGColorOver=6045440\r\nTitle=Site menu\r\nAuthor=Ombrel Corvantel 2.0.0.0\r\n"
            "EncodingIndex=0\r\nFontBold=0\r\nFontItalic=0\r\nSeparatorColor=0\r\nMenuWidth=150\r\n"
            "ItemPadding=3\r\nBorderWidth=2\r\nFontFamily=Arial,sans-serif\r\nSeparatorSize=2\r\n"
            "KeepHilite=1\r\nX=0\r\nY=2\r\nMenuType=0\r\n");
}

TEST(SettingsFile, MissingFileAndMissingKeysGiveTheReadingDefaults) {
  const document::ProjectSettings fromNothing = readSettingsBytes({});
  EXPECT_EQ(fromNothing, settingsFileDefaults());
  EXPECT_EQ(fromNothing.yPos, 0);
  EXPECT_EQ(fromNothing.xPos, 0);
  EXPECT_EQ(fromNothing.pageTitle, "Site menu");
  EXPECT_TRUE(fromNothing.keepHilite);
  EXPECT_EQ(fromNothing.menuType, document::MenuType::JSMenu);
  EXPECT_EQ(readSettingsFile("/nonexistent/folder/x.cvp"), settingsFileDefaults());
  // Keys in another section count for nothing.
  EXPECT_EQ(readSettingsBytes("[Other]\r\nY=7\r\nMenuWidth=9\r\n"), settingsFileDefaults());
}

TEST(SettingsFile, SiteFolderIsStoredRelativeAndOnlyWhenUsed) {
  EXPECT_EQ(storedSiteFolder("/home/ann/site", "/home/ann/projects/club.cvp"), "../site");
  EXPECT_EQ(storedSiteFolder("/home/ann/projects/site/", "/home/ann/projects/club.cvp"), "site");
  EXPECT_EQ(storedSiteFolder("/srv/www", ""), "/srv/www");
  document::ProjectSettings s;
  s.siteFolder = "../site";
  const std::string bytes = settingsFileBytes({}, s);
  const document::ProjectSettings back = readSettingsBytes(bytes);
  EXPECT_EQ(back.siteFolder, "../site");
  EXPECT_EQ(siteFolderPath(back, "/home/ann/projects/club.cvp"), "/home/ann/site");
  s.siteFolder = "/srv/www";
  EXPECT_EQ(siteFolderPath(s, "/home/ann/projects/club.cvp"), "/srv/www");
  // Clearing it keeps the key, empty, rather than leaving the old folder behind.
  s.siteFolder.clear();
  EXPECT_EQ(readSettingsBytes(settingsFileBytes(bytes, s)).siteFolder, "");
  EXPECT_EQ(siteFolderPath(s, "/home/ann/projects/club.cvp"), "");
}

TEST(SettingsFile, IntegerForms) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"150", 150},          {"-12", -12},          {"+7", 7},
      {"0x1F", 31},          {"0XfF", 255},         {"$10", 16},
      {"$FFFFFFFF", -1},     {"0x7FFFFFFF", 2147483647},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt}, {"$100000000", std::nullopt},
      {"0x", std::nullopt},  {"$", std::nullopt},   {"", std::nullopt},
      {"-", std::nullopt},   {"12px", std::nullopt}, {"0x1G", std::nullopt},
      {"1 2", std::nullopt}, {"0x-1", std::nullopt}, {"00012", 12},
  };
  for (const Case& c : cases) EXPECT_EQ(parseIniInteger(c.text), c.value) << c.text;
}

TEST(SettingsFile, ValuesReadByTheirForms) {
  const document::ProjectSettings s = readSettingsBytes(
      "[settings]\r\n"
      "menuwidth=0x20\r\nItemPadding=$A\r\nBorderWidth=wide\r\nFontBold=5\r\nFontItalic=no\r\n"
      "KeepHilite=0\r\nTitle=  \"  Quoted title \"  \r\nAuthor='x'\r\nX=-40\r\nY=\r\nEncodingIndex=29\r\n"
      "MenuType=2\r\nBGColor=0xFFFFFF\r\n");
  EXPECT_EQ(s.menuWidth, 32);
  EXPECT_EQ(s.itemPadding, 10);
  EXPECT_EQ(s.borderWidth, 2);    // not a number: the default
  EXPECT_TRUE(s.fontBold);        // any value but 0 is on
  EXPECT_FALSE(s.fontItalic);     // not a number: the default, off
  EXPECT_FALSE(s.keepHilite);
  EXPECT_EQ(s.pageTitle, "  Quoted title ");
  EXPECT_EQ(s.pageAuthor, "x");
  EXPECT_EQ(s.xPos, -40);
  EXPECT_EQ(s.yPos, 0);
  EXPECT_EQ(s.encodingIndex, document::kNoEncoding);
  EXPECT_EQ(s.menuType, document::MenuType::TableRelative);
  EXPECT_EQ(s.bgColor, 0xFFFFFF);
}

TEST(SettingsFile, MenuTypeAndEncodingRules) {
  auto type = [](const char* value) {
    return readSettingsBytes(std::string("[Settings]\r\nMenuType=") + value + "\r\n").menuType;
  };
  EXPECT_EQ(type("0"), document::MenuType::JSMenu);
  EXPECT_EQ(type("1"), document::MenuType::TableMenu);
  EXPECT_EQ(type("$2"), document::MenuType::TableRelative);
  EXPECT_EQ(type("3"), document::MenuType::JSMenu);
  EXPECT_EQ(type("-1"), document::MenuType::JSMenu);
  EXPECT_EQ(type("table"), document::MenuType::JSMenu);

  auto encoding = [](const char* value) {
    return readSettingsBytes(std::string("[Settings]\r\nEncodingIndex=") + value + "\r\n").encodingIndex;
  };
  EXPECT_EQ(encoding("28"), 28);
  EXPECT_EQ(encoding("29"), document::kNoEncoding);
  EXPECT_EQ(encoding("-5"), document::kNoEncoding);
  EXPECT_EQ(encoding("x"), 0);

  // "None" is written back as -1 whatever out-of-list value the settings hold.
  document::ProjectSettings s;
  s.encodingIndex = 40;
  EXPECT_NE(settingsFileBytes({}, s).find("EncodingIndex=-1\r\n"), std::string::npos);
}

TEST(SettingsFile, WritingKeepsOtherSectionsAndKeys) {
  const std::string old =
      "; made by hand\r\n[Extra]\r\nkeep=me\r\n[SETTINGS]\r\nmenuwidth=99\r\nMine=1\r\n[Tail]\r\nz=2\r\n";
  document::ProjectSettings s;
  s.menuWidth = 120;
  const std::string bytes = settingsFileBytes(old, s);
  const ini::IniFile file(bytes);
  EXPECT_EQ(file.value("Extra", "keep"), "me");
  EXPECT_EQ(file.value("Tail", "z"), "2");
  EXPECT_EQ(file.value("Settings", "Mine"), "1");
  EXPECT_EQ(file.value("Settings", "MenuWidth"), "120");
  EXPECT_EQ(file.keys("Settings").size(), 21u);
  EXPECT_EQ(bytes.rfind("; made by hand\r\n[Extra]\r\nkeep=me\r\n[SETTINGS]\r\nmenuwidth=120\r\n", 0), 0u);
  EXPECT_EQ(readSettingsBytes(bytes), s);
}

TEST(SettingsFile, TextsSurviveBlanksQuotesAndLineBreaks) {
  const char* texts[] = {" leading", "trailing ", "\"quoted\"", "'single'", "\"open", "close'",
                         "a = b ; c", "tab\tinside", "", "Caf\xC3\xA9 \xE2\x82\xAC", "\"", " "};
  for (const char* text : texts) {
    document::ProjectSettings s;
    s.pageTitle = text;
    s.fontFamily = text;
    EXPECT_EQ(readSettingsBytes(settingsFileBytes({}, s)), s) << '[' << text << ']';
  }
  document::ProjectSettings broken;
  broken.pageAuthor = "two\r\nlines";
  const document::ProjectSettings back = readSettingsBytes(settingsFileBytes({}, broken));
  EXPECT_EQ(back.pageAuthor, "two  lines");
  EXPECT_EQ(back.menuWidth, 150);  // the line break did not spill into other keys
}

TEST(SettingsFile, OlderEightBitFilesReadAsWindows1252) {
  const document::ProjectSettings s = readSettingsBytes("[Settings]\r\nTitle=Men\xFC \x80\r\nAuthor=Jos\xE9\r\n");
  EXPECT_EQ(s.pageTitle, "Men\xC3\xBC \xE2\x82\xAC");
  EXPECT_EQ(s.pageAuthor, "Jos\xC3\xA9");
  // Rewritten as UTF-8.
  const std::string rewritten = settingsFileBytes("[Settings]\r\nTitle=Men\xFC\r\nOld=\xE9\r\n", s);
  EXPECT_NE(rewritten.find("Old=\xC3\xA9\r\n"), std::string::npos);
  EXPECT_NE(rewritten.find("Title=Men\xC3\xBC \xE2\x82\xAC\r\n"), std::string::npos);
}

TEST(SettingsFile, GarbageGivesDefaultsWithoutFailing) {
  test::TempDir folder;
  std::string garbage(1 << 20, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 131) ^ (i >> 7));
  EXPECT_NO_THROW(readSettingsBytes(garbage));
  const std::string hugeLine = "[Settings]\r\nTitle=" + std::string(5'000'000, 'x') + "\r\nMenuWidth=7\r\n";
  const document::ProjectSettings s = readSettingsBytes(hugeLine);
  EXPECT_EQ(s.pageTitle.size(), 2047u);
  EXPECT_EQ(s.menuWidth, 7);
}

}  // namespace
}  // namespace corvantel::project
