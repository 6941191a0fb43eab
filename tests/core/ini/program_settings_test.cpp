// Where Corvantel.ini lives and what the first run writes into it.
#include "core/ini/program_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/error.h"
#include "support/core/temp_dir.h"

namespace corvantel {
namespace {

// Sets an environment variable for the scope of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old, m_had = true;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (m_had) {
      ::setenv(m_name, m_old.c_str(), 1);
    } else {
      ::unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::string m_old;
  bool m_had = false;
};

TEST(ProgramSettings, FirstRunUsesEnglishAndTheCloseCreatesTheFile) {
  test::TempDir dir;
  const std::string folder = dir.path() + "/";
  ini::ProgramSettings settings(folder);
  EXPECT_EQ(settings.path(), folder + "Corvantel.ini");
  EXPECT_EQ(settings.languageFile(), folder + "Language/english.lng");
  settings.setLanguageFile(settings.languageFile());
  EXPECT_EQ(test::readFile(folder + "Corvantel.ini"), "[Settings]\r\nLanguage=" + folder + "Language/english.lng\r\n");
}

TEST(ProgramSettings, StoredValueIsUsedEvenForAMissingFileAndKeptBesideOtherSections) {
  test::TempDir dir;
  const std::string folder = dir.path() + "/";
  test::writeFile(folder + "Corvantel.ini", "[Recent]\r\nFile1=/a.cvp\r\n[SETTINGS]\r\nlanguage=/gone/x.lng\r\n");
  ini::ProgramSettings settings(folder);
  EXPECT_EQ(settings.languageFile(), "/gone/x.lng");
  settings.setLanguageFile("/l/deutsch.lng");
  EXPECT_EQ(test::readFile(folder + "Corvantel.ini"),
            "[Recent]\r\nFile1=/a.cvp\r\n[SETTINGS]\r\nlanguage=/l/deutsch.lng\r\n");

  test::writeFile(folder + "Corvantel.ini", "[Settings]\r\nLanguage=\r\n");
  EXPECT_EQ(settings.languageFile(), folder + "Language/english.lng") << "an empty value means the default";
}

TEST(ProgramSettings, UnwritableProgramFolderUsesTheUserConfigFolder) {
  test::TempDir dir;
  const std::string config = dir.file("config");
  ScopedEnv xdg("XDG_CONFIG_HOME", config);
  // An installed copy: a folder the program cannot write to (made read-only; when the tests run as the
  // superuser, who may write anywhere, a folder that cannot be written because it does not exist).
  std::string program = dir.file("installed");
  ::mkdir(program.c_str(), 0755);
  ::chmod(program.c_str(), 0555);
  if (::access(program.c_str(), W_OK) == 0) program = dir.file("not/there");
  program += "/";

  ini::ProgramSettings settings(program);
  EXPECT_EQ(settings.path(), config + "/Corvantel/Corvantel.ini");
  EXPECT_EQ(settings.languageFile(), program + "Language/english.lng");
  settings.setLanguageFile("/x/french.lng");  // creates the missing Corvantel folder
  EXPECT_EQ(test::readFile(config + "/Corvantel/Corvantel.ini"), "[Settings]\r\nLanguage=/x/french.lng\r\n");
  EXPECT_EQ(ini::ProgramSettings(program).languageFile(), "/x/french.lng");

  // A copy below /usr or /opt is an installed one even where its folder can be written (by the superuser).
  EXPECT_EQ(ini::ProgramSettings("/usr/").path(), config + "/Corvantel/Corvantel.ini");
  EXPECT_EQ(ini::ProgramSettings("/opt/").path(), config + "/Corvantel/Corvantel.ini");
}

TEST(ProgramSettings, ConfigFolderFallsBackToHomeForARelativeXdgPath) {
  ScopedEnv xdg("XDG_CONFIG_HOME", "relative/path");
  ScopedEnv home("HOME", "/home/someone");
  EXPECT_EQ(ini::ProgramSettings::userConfigFolder(), "/home/someone/.config/Corvantel");
}

TEST(ProgramSettings, WriteProtectedFileReportsUnableToWrite) {
  test::TempDir dir;
  const std::string folder = dir.path() + "/";
  test::writeFile(folder + "Corvantel.ini", "[Settings]\r\nLanguage=/a.lng\r\n");
  ::chmod((folder + "Corvantel.ini").c_str(), 0444);
  ini::ProgramSettings settings(folder);
  try {
    settings.setLanguageFile("/b.lng");
    ADD_FAILURE() << "the write-protected file was replaced";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + folder + "Corvantel.ini");
  }
  EXPECT_EQ(settings.languageFile(), "/a.lng");
}

}  // namespace
}  // namespace corvantel
