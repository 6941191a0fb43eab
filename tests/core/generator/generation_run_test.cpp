#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/error.h"
#include "core/generator/generation_run.h"
#include "core/generator/menu_array_writer.h"
#include "core/generator/menu_page_writer.h"
#include "generator_test_util.h"

using namespace corvantel;
using gentest::readAll;
using test::TempDir;
using test::writeFile;

namespace {

// A program folder with a data folder holding the four support files (binary content for the images).
struct ProgramFolder {
  TempDir folder;
  std::string path() const { return folder.path() + "/"; }
  void populate() {
    mkdir(folder.file("data").c_str(), 0755);
    for (const auto& name : generator::supportFileNames()) writeFile(folder.file("data/" + name), contentOf(name));
  }
  static std::string contentOf(const std::string& name) {
    std::string bytes = "// " + name + "\r\n";
    if (name.find(".gif") != std::string::npos) bytes = std::string("GIF89a\0\x01\x02\xFF\r\n\x1A", 13) + name;
    return bytes;
  }
};

std::unique_ptr<document::Document> sampleDocument() {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  document::MenuItem* m = gentest::add(d.tree(), d.tree().root(), "Club", "club.html");
  gentest::add(d.tree(), m, "News", "news.html");
  d.setModified(false);
  return dp;
}

}  // namespace

TEST(GenerationRun, WritesTheSixFilesInOrderAndLeavesTheDocumentAlone) {
  ProgramFolder program;
  program.populate();
  TempDir out;
  auto dp = sampleDocument();
  document::Document& d = *dp;
  const document::ProjectSettings before = d.settings();
  const std::size_t items = d.tree().itemCount();
  d.setProjectFileName("/somewhere/club.cvp");

  generator::GenerationReport report = generator::generateFiles(d, out.path(), program.path());
  EXPECT_TRUE(report.notCopied.empty());
  std::vector<std::string> expected;
  for (const char* name : {"menu.html", "hierArrays.js", "hierMenus.js", "tri.gif", "triL.gif", "HM_Loader.js"}) {
    expected.push_back(out.file(name));
  }
  EXPECT_EQ(report.written, expected);
  EXPECT_EQ(readAll(out.file("menu.html")), generator::buildMenuPage(d.settings(), d.tree()));
  generator::MenuArrayWriter arrays(d.settings());
  arrays.buildArrayText(d.tree());
  EXPECT_EQ(readAll(out.file("hierArrays.js")), arrays.encodedText());
  for (const auto& name : generator::supportFileNames()) {
    EXPECT_EQ(readAll(out.file(name)), ProgramFolder::contentOf(name)) << name;
  }
  EXPECT_FALSE(d.isModified());
  EXPECT_EQ(d.settings(), before);
  EXPECT_EQ(d.tree().itemCount(), items);
  EXPECT_EQ(d.projectFileName(), "/somewhere/club.cvp");
  EXPECT_FALSE(generator::notCopiedWarning(report, program.path()).size());
}

TEST(GenerationRun, ASecondRunReplacesEverything) {
  ProgramFolder program;
  program.populate();
  TempDir out;
  for (const char* name : {"menu.html", "hierArrays.js", "hierMenus.js", "tri.gif", "triL.gif", "HM_Loader.js"}) {
    writeFile(out.file(name), std::string(100000, 'o'));  // longer than anything the run writes
  }
  auto dp = sampleDocument();
  document::Document& d = *dp;
  generator::generateFiles(d, out.path(), program.path());
  // The menu with submenus is removed: its array must not survive.
  d.tree().remove(d.tree().root()->child(0));
  generator::generateFiles(d, out.path(), program.path());
  EXPECT_EQ(readAll(out.file("hierArrays.js")), "");
  EXPECT_EQ(readAll(out.file("menu.html")).find('o' + std::string(50, 'o')), std::string::npos);
  EXPECT_EQ(readAll(out.file("tri.gif")), ProgramFolder::contentOf("tri.gif"));
}

TEST(GenerationRun, MissingSupportFilesAreReportedAfterEveryCopyWasTried) {
  ProgramFolder program;
  program.populate();
  TempDir out;
  std::remove(program.folder.file("data/tri.gif").c_str());
  std::remove(program.folder.file("data/HM_Loader.js").c_str());
  generator::GenerationReport report = generator::generateFiles(*sampleDocument(), out.path(), program.path());
  EXPECT_EQ(report.notCopied, (std::vector<std::string>{"tri.gif", "HM_Loader.js"}));
  EXPECT_TRUE(io::fileExists(out.file("triL.gif")));  // copied after the first miss
  EXPECT_TRUE(io::fileExists(out.file("hierMenus.js")));

  // Without a data folder: the two generated files, and a warning naming all four others.
  ProgramFolder bare;
  TempDir out2;
  report = generator::generateFiles(*sampleDocument(), out2.path(), bare.path());
  EXPECT_EQ(report.written.size(), 2u);
  EXPECT_EQ(report.notCopied, generator::supportFileNames());
  const std::string warning = generator::notCopiedWarning(report, bare.path());
  for (const auto& name : generator::supportFileNames()) EXPECT_NE(warning.find(name), std::string::npos) << warning;
  EXPECT_NE(warning.find(bare.path() + "data"), std::string::npos) << warning;
}

TEST(GenerationRun, AProtectedPageStopsTheRunBeforeAnythingElseIsTouched) {
  ProgramFolder program;
  program.populate();
  TempDir out;
  writeFile(out.file("menu.html"), "old page");
  writeFile(out.file("hierArrays.js"), "old arrays");
  writeFile(out.file("tri.gif"), "old image");
  chmod(out.file("menu.html").c_str(), 0444);
  auto dp = sampleDocument();
  document::Document& d = *dp;
  try {
    generator::generateFiles(d, out.path(), program.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "File access denied");
  }
  EXPECT_EQ(readAll(out.file("menu.html")), "old page");
  EXPECT_EQ(readAll(out.file("hierArrays.js")), "old arrays");
  EXPECT_EQ(readAll(out.file("tri.gif")), "old image");
  EXPECT_FALSE(io::fileExists(out.file("hierMenus.js")));
  EXPECT_FALSE(d.isModified());
}

TEST(GenerationRun, AnArrayFileThatCannotBeMadeKeepsThePageAndCopiesNothing) {
  ProgramFolder program;
  program.populate();
  TempDir out;
  mkdir(out.file("hierArrays.js").c_str(), 0755);  // a folder in the way
  try {
    generator::generateFiles(*sampleDocument(), out.path(), program.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + out.file("hierArrays.js"));
  }
  EXPECT_TRUE(io::fileExists(out.file("menu.html")));
  EXPECT_FALSE(io::fileExists(out.file("hierMenus.js")));
}
