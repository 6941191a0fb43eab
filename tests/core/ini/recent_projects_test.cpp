#include "core/ini/recent_projects.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/ini/ini_file.h"
#include "core/io/file_io.h"

namespace corvantel {
namespace {

std::string tempIni(const char* name) {
  std::string dir = ::testing::TempDir() + "recent_" + name;
  std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
  return dir + "/Corvantel.ini";
}

TEST(RecentProjects, NewestFirstMovesRepeatsUpAndKeepsEight) {
  ini::RecentProjects list;
  for (int i = 1; i <= 10; ++i) list.add("/p/" + std::to_string(i) + ".cvp");
  ASSERT_EQ(list.paths().size(), 8u);
  EXPECT_EQ(list.paths().front(), "/p/10.cvp");
  EXPECT_EQ(list.paths().back(), "/p/3.cvp");
  list.add("/p/5.cvp");
  EXPECT_EQ(list.paths().front(), "/p/5.cvp");
  EXPECT_EQ(list.paths().size(), 8u);
  EXPECT_EQ(list.paths()[1], "/p/10.cvp");
  EXPECT_TRUE(list.remove("/p/5.cvp"));
  EXPECT_FALSE(list.remove("/p/5.cvp"));
  EXPECT_EQ(list.paths().front(), "/p/10.cvp");
}

TEST(RecentProjects, SavedInItsOwnSectionLeavingSettingsAlone) {
  const std::string ini = tempIni("own");
  const std::string before = "[Settings]\r\nLanguage=/x/Language/german.lng\r\n";
  io::writeFileAtomic(ini, before);
  ini::RecentProjects list;
  list.add("/home/a/one.cvp");
  list.add("/home/a/two.cvp");
  list.save(ini);
  const std::string bytes = *io::readFileBytes(ini);
  EXPECT_EQ(bytes.substr(0, before.size()), before);
  EXPECT_EQ(ini::RecentProjects::load(ini).paths(), list.paths());
  EXPECT_EQ(ini::readString(ini, "Settings", "Language", ""), "/x/Language/german.lng");

  // A shorter list removes the keys it no longer uses.
  list.remove("/home/a/one.cvp");
  list.save(ini);
  EXPECT_FALSE(ini::readValue(ini, ini::RecentProjects::kSection, "File2").has_value());
  EXPECT_EQ(ini::RecentProjects::load(ini).paths(), std::vector<std::string>{"/home/a/two.cvp"});
}

TEST(RecentProjects, LoadSkipsEmptyAndRepeatedEntries) {
  const std::string ini = tempIni("skip");
  io::writeFileAtomic(ini, "[Recent Projects]\r\nFile1=/a.cvp\r\nFile2=\r\nFile3=/a.cvp\r\nFile4=/b.cvp\r\n");
  EXPECT_EQ(ini::RecentProjects::load(ini).paths(), (std::vector<std::string>{"/a.cvp", "/b.cvp"}));
  EXPECT_TRUE(ini::RecentProjects::load(ini + ".missing").paths().empty());
}

}  // namespace
}  // namespace corvantel
