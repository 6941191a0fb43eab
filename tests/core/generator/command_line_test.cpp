#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/generator/command_line.h"
#include "core/generator/generation_run.h"
#include "core/generator/menu_page_writer.h"
#include "core/project/project_files.h"
#include "generator_test_util.h"

using namespace corvantel;

TEST(GenerateCommand, ReadsTheProjectAndWritesTheFolder) {
  test::TempDir work;
  auto d = gentest::newDocument();
  d->settings().menuType = document::MenuType::TableMenu;
  d->settings().pageTitle = "Club pages";
  document::MenuItem* news = gentest::add(d->tree(), d->tree().root(), "News", "news.html");
  gentest::add(d->tree(), news, "2024", "2024.html");
  const std::string projectPath = work.file("club.cvp");
  project::saveProjectFiles(*d, projectPath);

  mkdir(work.file("program").c_str(), 0755);
  mkdir(work.file("program/data").c_str(), 0755);
  for (const auto& name : generator::supportFileNames()) test::writeFile(work.file("program/data/" + name), name);
  mkdir(work.file("out").c_str(), 0755);

  EXPECT_EQ(generator::runGenerateCommand(work.file("out"), projectPath, work.file("program/")), 0);
  EXPECT_EQ(gentest::readAll(work.file("out/menu.html")), generator::buildMenuPage(d->settings(), d->tree()));
  EXPECT_EQ(gentest::readAll(work.file("out/HM_Loader.js")), "HM_Loader.js");

  // With a site folder, each item whose page is not there is a warning line; the command still succeeds.
  mkdir(work.file("site").c_str(), 0755);
  test::writeFile(work.file("site/news.html"), "x");
  d->settings().siteFolder = work.file("site");
  project::saveProjectFiles(*d, projectPath);
  testing::internal::CaptureStderr();
  EXPECT_EQ(generator::runGenerateCommand(work.file("out"), projectPath, work.file("program/")), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "corvantel: warning: " + document::extractTitle(d->tree().root()->text()) +
                " > News > 2024: 2024.html: No such file or folder in the site folder\n");

  // A missing support file: the folder is still written, but the command fails.
  std::remove(work.file("program/data/triL.gif").c_str());
  EXPECT_EQ(generator::runGenerateCommand(work.file("out"), projectPath, work.file("program/")), 1);
}

TEST(GenerateCommand, FailsWithoutAnOutputFolderOrAMenuDataFile) {
  test::TempDir work;
  test::writeFile(work.file("lonely.cvp"), "[Settings]\r\n");
  EXPECT_EQ(generator::runGenerateCommand(work.file("missing"), work.file("lonely.cvp"), work.path() + "/"), 1);
  EXPECT_EQ(generator::runGenerateCommand(work.path(), work.file("lonely.cvp"), work.path() + "/"), 1);  // no .cvd
  EXPECT_FALSE(io::fileExists(work.file("menu.html")));
}

TEST(GenerateCommand, FailuresNameTheFileAfterListingWhatWasWritten) {
  test::TempDir work;
  auto d = gentest::newDocument();
  project::saveProjectFiles(*d, work.file("p.cvp"));
  mkdir(work.file("out").c_str(), 0755);
  mkdir(work.file("out/hierArrays.js").c_str(), 0755);  // the second file cannot be written
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(generator::runGenerateCommand(work.file("out"), work.file("p.cvp"), work.path() + "/"), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), work.file("out/menu.html") + "\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "corvantel: Cannot create file " + work.file("out/hierArrays.js") + ".\n");

  std::remove(work.file("out/menu.html").c_str());
  mkdir(work.file("out/menu.html").c_str(), 0755);  // a message of its own that names no file
  testing::internal::CaptureStderr();
  EXPECT_EQ(generator::runGenerateCommand(work.file("out"), work.file("p.cvp"), work.path() + "/"), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "corvantel: " + work.file("out/menu.html") + ": File access denied.\n");

  // A settings file that exists but cannot be read is no project of defaults.
  mkdir(work.file("folder.cvp").c_str(), 0755);
  test::writeFile(work.file("folder.cvd"), "Menu\t\r\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(generator::runGenerateCommand(work.path(), work.file("folder.cvp"), work.path() + "/"), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "corvantel: Cannot open file " + work.file("folder.cvp") + ".\n");
}
