// Shut-down: the language file in use is written to Corvantel.ini at every close.
#include <sys/stat.h>

#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

TEST_F(MainWindowTest, CloseCreatesCorvantelIniWithTheLanguageFile) {
  const std::string ini = dir.file("Corvantel.ini");
  EXPECT_EQ(readFile(ini), "") << "nothing is written before the close";
  EXPECT_TRUE(form->close());
  EXPECT_EQ(readFile(ini), "[Settings]\r\nLanguage=" + dir.path() + "/Language/english.lng\r\n");
}

TEST_F(MainWindowTest, CloseKeepsTheOtherContentsOfCorvantelIni) {
  const std::string ini = dir.file("Corvantel.ini");
  writeFile(ini, "; mine\r\n[Recent]\r\nFile1=/a.cvp\r\n");
  form->translator().setLanguageFile("/gone/deutsch.lng");
  EXPECT_TRUE(form->close());
  EXPECT_EQ(readFile(ini), "; mine\r\n[Recent]\r\nFile1=/a.cvp\r\n[Settings]\r\nLanguage=/gone/deutsch.lng\r\n");
}

TEST_F(MainWindowTest, UnwritableCorvantelIniIsReportedAtTheClose) {
  const std::string ini = dir.file("Corvantel.ini");
  writeFile(ini, "[Settings]\r\nLanguage=/old.lng\r\n");
  ::chmod(ini.c_str(), 0444);
  form->translator().setLanguageFile("/new.lng");
  prompts.expectError();
  form->close();
  EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::Error),
            QStringList{QString::fromStdString("Unable to write to " + ini + ".")});
  EXPECT_EQ(readFile(ini), "[Settings]\r\nLanguage=/old.lng\r\n");
}

}  // namespace
}  // namespace corvantel::test
