// The scan of the language folder that fills the language dialog, and the lookup of one text.
#include "core/i18n/language_list.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/i18n/translate.h"
#include "support/core/temp_dir.h"

namespace corvantel {
namespace {

using test::TempDir;
using test::writeFile;

class LanguageFolder : public ::testing::Test {
 protected:
  void SetUp() override { ::mkdir(folder().c_str(), 0755); }
  std::string programFolder() const { return dir.path() + "/"; }
  std::string folder() const { return dir.path() + "/Language"; }
  std::string file(const std::string& name) const { return folder() + "/" + name; }
  TempDir dir;
};

TEST_F(LanguageFolder, OffersNamedLanguageFilesInNameOrder) {
  writeFile(file("zulu.lng"), "[Language]\r\nLanguage=Zulu\r\nLocalized=isiZulu\r\n");
  writeFile(file("Basque.LNG"), "[language]\nlanguage = Basque \n");  // no "Localized"
  writeFile(file("alpha.lng"), "[Language]\nLocalized=Alfa\n");        // no "Language": not offered
  writeFile(file("empty.lng"), "[Language]\nLanguage=\nLocalized=Leer\n");
  writeFile(file("french.lng"), "[Language]\nLanguage=French\nLocalized=Fran\xE7" "ais\n");  // Windows-1252
  writeFile(file("notes.txt"), "[Language]\nLanguage=Notes\n");
  writeFile(file("lng"), "[Language]\nLanguage=Bare\n");
  writeFile(file("garbage.lng"), std::string("\0\xFF[\x01=\n\n[[[", 10));
  ::mkdir(file("folder.lng").c_str(), 0755);

  const std::vector<i18n::LanguageEntry> list = i18n::listLanguageFiles(programFolder());
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].language, "Basque");
  EXPECT_EQ(list[0].localized, "");
  EXPECT_EQ(list[0].path, programFolder() + "Language/Basque.LNG");
  EXPECT_EQ(list[1].language, "French");
  EXPECT_EQ(list[1].localized, "Fran\xC3\xA7" "ais");  // held as UTF-8
  EXPECT_EQ(list[2].language, "Zulu");
  EXPECT_EQ(list[2].localized, "isiZulu");
}

TEST_F(LanguageFolder, MissingOrUnreadableFolderGivesNoLanguages) {
  EXPECT_TRUE(i18n::listLanguageFiles(programFolder() + "nowhere/").empty());
  EXPECT_TRUE(i18n::listLanguageFiles(programFolder()).empty());  // the folder is there but empty
  if (::geteuid() != 0) {
    writeFile(file("german.lng"), "[Language]\nLanguage=German\n");
    ::chmod(folder().c_str(), 0);
    EXPECT_TRUE(i18n::listLanguageFiles(programFolder()).empty());
    ::chmod(folder().c_str(), 0755);
  }
}

TEST(LanguageFileName, MatchesTheExtensionInAnyCase) {
  EXPECT_TRUE(i18n::isLanguageFileName("german.lng"));
  EXPECT_TRUE(i18n::isLanguageFileName("GERMAN.Lng"));
  EXPECT_TRUE(i18n::isLanguageFileName(".x.lng"));
  EXPECT_FALSE(i18n::isLanguageFileName(".lng"));
  EXPECT_FALSE(i18n::isLanguageFileName("german.lng~"));
  EXPECT_FALSE(i18n::isLanguageFileName("german.lngx"));
  EXPECT_FALSE(i18n::isLanguageFileName("germanlng"));
}

TEST(Translate, LooksUpEveryCallInTheCurrentFile) {
  TempDir dir;
  const std::string path = dir.file("test.lng");
  i18n::Translator none(dir.file("missing.lng"));
  EXPECT_EQ(none.Translate("&File"), "&File");
  EXPECT_EQ(i18n::Translator().Translate("Caption"), "Caption");  // no file named at all

  writeFile(path, "[translations]\r\n&file =  &Datei  \r\nCaption=\r\nURL=\"  Adresse \"\r\n&File=second\r\n");
  i18n::Translator t(path);
  EXPECT_EQ(t.Translate("&File"), "&Datei");  // key matched without regard to case, blanks dropped
  EXPECT_EQ(t.Translate("Caption"), "");      // present but empty: no fall-back to the key
  EXPECT_EQ(t.Translate("URL"), "  Adresse ");
  EXPECT_EQ(t.Translate("&Set"), "&Set");

  // An edit on disk counts at the next lookup.
  writeFile(path, "[Translations]\n&File=&Fichier\n");
  EXPECT_EQ(t.Translate("&File"), "&Fichier");
  EXPECT_EQ(t.Translate("Caption"), "Caption");
}

TEST(Translate, APassReadsTheFileOnceAndOddFilesStayEnglish) {
  TempDir dir;
  ::mkdir(dir.file("Language").c_str(), 0755);
  const std::string path = dir.file("Language/pass.lng");
  writeFile(path, "[Translations]\n&File=&Datei\n");
  i18n::Translator t(path);
  {
    i18n::Translator::Pass pass(t);
    EXPECT_EQ(t.Translate("&File"), "&Datei");
    writeFile(path, "[Translations]\n&File=&Fichier\n");
    EXPECT_EQ(t.Translate("&File"), "&Datei") << "read once, at the start of the pass";
  }
  EXPECT_EQ(t.Translate("&File"), "&Fichier");

  // Too large: not read, English, and a message saying why; a named pipe: English at once, no wait, and
  // a message too.
  writeFile(path, "[Language]\nLanguage=Huge\n[Translations]\n&File=&Datei\n" +
                      std::string(i18n::Translator::kMaxLanguageFileBytes, ';'));
  EXPECT_EQ(t.Translate("&File"), "&File");
  EXPECT_EQ(t.problem(),
            "The language file " + path + " is larger than 4 MB; it is not used and the texts stay in English");
  ASSERT_EQ(::mkfifo(dir.file("Language/pipe.lng").c_str(), 0600), 0);
  EXPECT_TRUE(i18n::listLanguageFiles(dir.path() + "/").empty()) << "neither is offered in the language dialog";
  t.setLanguageFile(dir.file("Language/pipe.lng"));
  EXPECT_EQ(t.Translate("&File"), "&File");
  EXPECT_EQ(t.problem(), "The language file " + dir.file("Language/pipe.lng") +
                             " cannot be read; the texts stay in English");
  // A missing file is no problem: the program's own English.
  t.setLanguageFile(dir.file("Language/none.lng"));
  EXPECT_EQ(t.Translate("&File"), "&File");
  EXPECT_EQ(t.problem(), "");
}

}  // namespace
}  // namespace corvantel
