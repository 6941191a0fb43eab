#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/help/help_log.h"
#include "support/core/temp_dir.h"

using namespace corvantel::help;

namespace {

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    ::setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (m_old) {
      ::setenv(m_name, m_old->c_str(), 1);
    } else {
      ::unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

}  // namespace

TEST(HelpLog, LineFormatting) {
  EXPECT_EQ(HelpLog::formatLine("-", "10:11:12"), std::string(80, '-'));
  EXPECT_EQ(HelpLog::formatLine("=", "10:11:12"), std::string(80, '='));
  EXPECT_EQ(HelpLog::formatLine("!Date:  x", "10:11:12"), "Date:  x");
  EXPECT_EQ(HelpLog::formatLine("--x", "t"), "-x");
  EXPECT_EQ(HelpLog::formatLine("=y", "t"), "y");
  EXPECT_EQ(HelpLog::formatLine("THelpHook.Destroy", "10:11:12"), "THelpHook.Destroy   10:11:12");
  EXPECT_EQ(HelpLog::formatLine("", "10:11:12"), "   10:11:12");
}

TEST(HelpLog, CallLines) {
  EXPECT_EQ(HelpLog::createLine("/p/Corvantel.chm", "", 0), "THelpHook.Create(\"/p/Corvantel.chm\",\"\", 0)");
  EXPECT_EQ(HelpLog::hookLine(1, 1005), "THelpHook.HelpHook(HELP_CONTEXT (1), 1005)");
  EXPECT_EQ(HelpLog::hookLine(99, -3), "THelpHook.HelpHook(?? (99), -3)");
  EXPECT_EQ(HelpLog::contextLine("/p/a.chm", 1000, "", 0), "HelpHookContext(\"/p/a.chm\", 1000, \"\", 0)");
  EXPECT_EQ(HelpLog::showContextLine("/p/a b.chm", 0), "ShowContext(\"/p/a b.chm\", 0)");
  EXPECT_EQ(HelpLog::returnedLine(1), "  returned - 1");
  EXPECT_EQ(HelpLog::showErrorLine(1, "No viewer."), "HelpHookShowError(1), \"No viewer.\"");
}

TEST(HelpLog, RequestedBySwitchOrTriggerFile) {
  corvantel::test::TempDir dir;
  std::string folder = dir.path() + "/";
  EXPECT_FALSE(HelpLog::requested(folder, {}));
  EXPECT_FALSE(HelpLog::requested(folder, {"project.cvp", "--debug", "debug", "-debugx"}));
  EXPECT_TRUE(HelpLog::requested(folder, {"project.cvp", "-debug"}));
  EXPECT_TRUE(HelpLog::requested(folder, {"/DEBUG"}));
  EXPECT_TRUE(HelpLog::requested(folder, {"-Debug"}));
  corvantel::test::writeFile(dir.file("debug.debug"), "");
  EXPECT_TRUE(HelpLog::requested(folder, {}));
}

TEST(HelpLog, FolderFallsBackToTemporaryFolderThenRoot) {
  corvantel::test::TempDir dir;
  corvantel::test::TempDir temp;
  // A writable program folder is used, and the probe file does not stay behind.
  EXPECT_EQ(HelpLog::chooseFolder(dir.path() + "/"), dir.path() + "/");
  EXPECT_EQ(HelpLog::chooseFolder(dir.path()), dir.path() + "/");
  EXPECT_FALSE(std::filesystem::exists(dir.file("$_Temp_$.$$$")));

  // A folder where nothing can be created (it does not exist) sends the log to the temporary folder.
  {
    ScopedEnv env("TMPDIR", temp.path().c_str());
    EXPECT_EQ(HelpLog::chooseFolder(dir.path() + "/missing/"), temp.path() + "/");
  }
  {
    ScopedEnv env("TMPDIR", (temp.path() + "/gone").c_str());
    EXPECT_EQ(HelpLog::chooseFolder(dir.path() + "/missing/"), "/");
  }
}

TEST(HelpLog, WritesHeaderAndTimedCallLines) {
  corvantel::test::TempDir dir;
  std::string path = dir.file("HelpDebug.txt");
  HelpLog log(path, [] { return std::string("12:34:56"); });
  HelpLogHeader header;
  header.date = "2026-01-02 03:04:05";
  header.viewerInstalled = true;
  header.browserInstalled = false;
  log.writeHeader(header);
  log.write(HelpLog::hookLine(1, 1049));
  log.write("-");

  std::vector<std::string> lines = readLines(path);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), std::string(80, '='));
  EXPECT_EQ(lines[1], "Filename:             " + path);
  EXPECT_EQ(lines[2], "Date:                 2026-01-02 03:04:05");
  bool viewerYes = false;
  bool browserNo = false;
  for (const std::string& l : lines) {
    viewerYes |= l == "_HelpViewerInstalled =      YES";
    browserNo |= l == "_WebBrowserInstalled =      NO";
  }
  EXPECT_TRUE(viewerYes);
  EXPECT_TRUE(browserNo);
  EXPECT_EQ(lines[lines.size() - 2], "THelpHook.HelpHook(HELP_CONTEXT (1), 1049)   12:34:56");
  EXPECT_EQ(lines.back(), std::string(80, '-'));
}

TEST(HelpLog, UnwritableLogReportsFailureAndRemoveOldDeletesLog) {
  corvantel::test::TempDir dir;
  HelpLog broken(dir.path() + "/missing/HelpDebug.txt");
  EXPECT_FALSE(broken.write("x"));

  corvantel::test::writeFile(dir.file("HelpDebug.txt"), "old");
  HelpLog::removeOld(dir.path() + "/");
  EXPECT_FALSE(std::filesystem::exists(dir.file("HelpDebug.txt")));
  HelpLog::removeOld(dir.path() + "/");  // nothing to delete is no error
}
