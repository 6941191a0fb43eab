#include "core/project/project_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>

#include <filesystem>
#include <random>
#include <vector>

#include "core/error.h"
#include "core/io/file_io.h"
#include "core/project/menu_data_file.h"
#include "core/project/settings_file.h"
#include "support/core/temp_dir.h"

namespace corvantel::project {
namespace {

std::string dump(const document::MenuTree& tree) {
  std::string out;
  tree.forEach([&out](const document::MenuItem& item, int depth) {
    out += std::to_string(depth) + ":" + item.text() + "\n";
  });
  return out;
}

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "<no error>";
}

void fillSample(document::Document& doc) {
  doc.resetToNewProject();
  document::MenuItem* menu = doc.tree().append(doc.tree().root(), "News\tnews.html", -1);
  doc.tree().append(menu, "\t", -1);
  document::ProjectSettings s;
  s.menuType = document::MenuType::TableRelative;
  s.separatorColor = 0x123456;
  s.pageTitle = "Club";
  doc.setSettings(s, false);
}

TEST(ProjectFiles, SaveAndOpenRoundTrip) {
  test::TempDir folder;
  document::Document saved;
  fillSample(saved);
  saveProjectFiles(saved, folder.file("club.cvp"));
  EXPECT_NE(test::readFile(folder.file("club.cvp")).find("MenuType=2\r\n"), std::string::npos);
  EXPECT_TRUE(saved.projectFileName().empty());  // saving changes neither the name nor the flag

  document::Document opened;
  openProjectFiles(opened, folder.file("club.cvp"));
  EXPECT_EQ(opened.settings(), saved.settings());
  EXPECT_EQ(dump(opened.tree()), dump(saved.tree()));
  EXPECT_EQ(opened.projectFileName(), folder.file("club.cvp"));
  EXPECT_FALSE(opened.isModified());

  // Saving under a name without extension puts the menu data beside it with ".cvd" added.
  saveProjectFiles(opened, folder.file("plain"));
  EXPECT_TRUE(io::fileExists(folder.file("plain.cvd")));
  // Saving again replaces both files with the same bytes.
  const std::string before = test::readFile(folder.file("club.cvp")) + test::readFile(folder.file("club.cvd"));
  saveProjectFiles(opened, folder.file("club.cvp"));
  EXPECT_EQ(test::readFile(folder.file("club.cvp")) + test::readFile(folder.file("club.cvd")), before);
}

// The file keeps the site folder relative to its own folder; a save into another folder must still name
// the same site, and opening gives the full path back.
TEST(ProjectFiles, SiteFolderFollowsTheProjectIntoAnotherFolder) {
  test::TempDir folder;
  std::filesystem::create_directories(folder.file("sub/deeper"));
  document::Document doc;
  fillSample(doc);
  document::ProjectSettings s = doc.settings();
  s.siteFolder = folder.file("web");
  doc.setSettings(s, false);
  saveProjectFiles(doc, folder.file("club.cvp"));
  EXPECT_NE(test::readFile(folder.file("club.cvp")).find("SiteFolder=web\r\n"), std::string::npos);

  document::Document opened;
  openProjectFiles(opened, folder.file("club.cvp"));
  EXPECT_EQ(opened.settings().siteFolder, folder.file("web"));
  saveProjectFiles(opened, folder.file("sub/deeper/club.cvp"));
  EXPECT_NE(test::readFile(folder.file("sub/deeper/club.cvp")).find("SiteFolder=../../web\r\n"), std::string::npos);
  document::Document moved;
  openProjectFiles(moved, folder.file("sub/deeper/club.cvp"));
  EXPECT_EQ(moved.settings().siteFolder, folder.file("web"));
}

TEST(ProjectFiles, FailedOpenLeavesTheDocumentAsItWas) {
  test::TempDir folder;
  document::Document doc;
  fillSample(doc);
  doc.setProjectFileName("/old/club.cvp");
  doc.setModified(true);
  const std::string treeBefore = dump(doc.tree());
  const document::ProjectSettings settingsBefore = doc.settings();

  const std::string settings = "[Settings]\r\nTitle=From elsewhere\r\n";
  test::writeFile(folder.file("a.cvp"), settings);  // no a.cvd
  test::writeFile(folder.file("b.cvd"), "Menu\t\r\n\tOne\r\n\t\t\tBad\turl\r\n\tNever\r\n");  // no b.cvp
  test::writeFile(folder.file("f.cvp"), settings);
  ASSERT_EQ(::mkfifo(folder.file("f.cvd").c_str(), 0600), 0);  // a named pipe nobody writes to
  ASSERT_EQ(::mkfifo(folder.file("g.cvp").c_str(), 0600), 0);
  test::writeFile(folder.file("g.cvd"), "Menu\t\r\n");
  std::filesystem::create_directory(folder.file("d.cvp"));
  test::writeFile(folder.file("d.cvd"), "Menu\t\r\n");
  struct Case {
    std::string path;
    std::string error;
  };
  std::vector<Case> cases = {
      {folder.file("a.cvp"), "Cannot open file " + folder.file("a.cvd")},
      {folder.file("b.cvp"), "Invalid level (3) for item \"Bad url\" in line 3 of " + folder.file("b.cvd")},
      {folder.file("none.cvp"), "Cannot open file " + folder.file("none.cvp")},  // neither file: the one named
      {folder.file("f.cvp"), "Cannot open file " + folder.file("f.cvd")},
      {folder.file("g.cvp"), "Cannot open file " + folder.file("g.cvp")},
      {folder.file("d.cvp"), "Cannot open file " + folder.file("d.cvp")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(errorOf([&] { openProjectFiles(doc, c.path); }), c.error);
    EXPECT_EQ(dump(doc.tree()), treeBefore) << c.path;
    EXPECT_EQ(doc.settings(), settingsBefore) << c.path;
    EXPECT_EQ(doc.projectFileName(), "/old/club.cvp") << c.path;
    EXPECT_TRUE(doc.isModified()) << c.path;
  }

  // A settings file nobody may read is an error too, not a project with every default. The superuser
  // reads whatever the mode says, so as root the check runs in a child that has given up its rights.
  const std::string locked = folder.file("locked.cvp");
  test::writeFile(locked, settings);
  test::writeFile(folder.file("locked.cvd"), "Menu\t\r\n");
  ::chmod(locked.c_str(), 0);
  const auto lockedFails = [&] {
    document::Document other;
    return errorOf([&] { openProjectFiles(other, locked); }) == "Cannot open file " + locked;
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(lockedFails());
  } else {
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EXIT(
        {
          if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(2);
          std::_Exit(lockedFails() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
  }

  // The menu data alone is a project with every default setting (Y 0); an empty one is an empty tree.
  test::writeFile(folder.file("c.cvd"), "");
  openProjectFiles(doc, folder.file("c.cvp"));
  EXPECT_TRUE(doc.tree().empty());
  EXPECT_EQ(doc.settings(), settingsFileDefaults());
  EXPECT_EQ(doc.projectFileName(), folder.file("c.cvp"));
}

TEST(ProjectFiles, SaveThroughLinksWritesTheirTargets) {
  test::TempDir folder;
  std::filesystem::create_directory(folder.file("real"));
  document::Document doc;
  fillSample(doc);
  saveProjectFiles(doc, folder.file("real/p.cvp"));
  std::filesystem::create_symlink("real/p.cvp", folder.file("p.cvp"));  // relative to the link's folder
  std::filesystem::create_symlink(folder.file("real/p.cvd"), folder.file("p.cvd"));
  doc.tree().append(doc.tree().root(), "Added\t", -1);
  saveProjectFiles(doc, folder.file("p.cvp"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("p.cvp")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("p.cvd")));
  EXPECT_EQ(test::readFile(folder.file("real/p.cvd")), menuDataBytes(doc.tree()));
  EXPECT_NE(test::readFile(folder.file("real/p.cvp")).find("Title=Club"), std::string::npos);
  // Nothing but the two links and the folder: no temporary file was left beside the links.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

TEST(ProjectFiles, FailedSaveLeavesThePreviousFiles) {
  test::TempDir folder;
  document::Document doc;
  fillSample(doc);
  const std::string cvp = folder.file("p.cvp");
  saveProjectFiles(doc, cvp);
  const std::string oldSettings = test::readFile(cvp);
  const std::string oldMenu = test::readFile(folder.file("p.cvd"));

  // The menu data file cannot be written: the settings file is put back.
  ::chmod(folder.file("p.cvd").c_str(), 0444);
  document::ProjectSettings changed = doc.settings();
  changed.pageTitle = "Changed";
  doc.setSettings(changed, false);
  doc.tree().append(doc.tree().root(), "More\t", -1);
  EXPECT_EQ(errorOf([&] { saveProjectFiles(doc, cvp); }), "Cannot create file " + folder.file("p.cvd"));
  EXPECT_EQ(test::readFile(cvp), oldSettings);
  EXPECT_EQ(test::readFile(folder.file("p.cvd")), oldMenu);
  ::chmod(folder.file("p.cvd").c_str(), 0644);

  // A new project whose menu data path is taken by a folder leaves no settings file behind.
  std::filesystem::create_directory(folder.file("q.cvd"));
  EXPECT_EQ(errorOf([&] { saveProjectFiles(doc, folder.file("q.cvp")); }), "Cannot create file " + folder.file("q.cvd"));
  EXPECT_FALSE(std::filesystem::exists(folder.file("q.cvp")));

  // The settings file cannot be written: nothing is written.
  std::filesystem::create_directory(folder.file("r.cvp"));
  EXPECT_EQ(errorOf([&] { saveProjectFiles(doc, folder.file("r.cvp")); }), "Unable to write to " + folder.file("r.cvp"));
  EXPECT_FALSE(std::filesystem::exists(folder.file("r.cvd")));
  EXPECT_EQ(errorOf([&] { saveProjectFiles(doc, folder.file("missing/s.cvp")); }),
            "Unable to write to " + folder.file("missing/s.cvp"));

  // No temporary files are left beside the project.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 4);  // p.cvp, p.cvd, q.cvd, r.cvp
}

// Random trees with awkward texts, saved and reopened, come back identical, settings included.
TEST(ProjectFiles, RandomProjectsSurviveSaveAndOpen) {
  const std::vector<std::string> pieces = {
      "",  " ",  "\t", "\"", "'",  "\\", "a", "Menu", "http://x.org/a b?c=\"d\"", "\xC3\xA9", "\xE2\x82\xAC",
      "\xE2\x90\x82", "\xF0\x9F\x98\x80", "=", "[S]", ";", "%s", "%d", "  x  "};
  std::mt19937 random(20240611);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  auto randomText = [&](bool withTab) {
    std::string t;
    for (std::size_t i = pick(5); i > 0; --i) t += pieces[pick(pieces.size())];
    if (withTab) t += '\t';
    for (std::size_t i = pick(4); i > 0; --i) t += pieces[pick(pieces.size())];
    return t;
  };
  test::TempDir folder;
  for (int round = 0; round < 60; ++round) {
    document::Document doc;
    std::vector<document::MenuItem*> items;
    const std::size_t count = 1 + pick(200);
    for (std::size_t i = 0; i < count; ++i) {
      // Deep chains as well as wide lists: attach to the last item, a random item or the top.
      document::MenuItem* parent = nullptr;
      const std::size_t how = pick(10);
      if (!items.empty() && how < 4) parent = items.back();
      else if (!items.empty() && how < 9) parent = items[pick(items.size())];
      if (items.empty()) parent = nullptr;
      items.push_back(doc.tree().append(parent, randomText(pick(4) != 0), -1));
    }
    document::ProjectSettings s;
    s.pageTitle = randomText(false);
    s.pageAuthor = randomText(false);
    s.fontFamily = randomText(false);
    s.bgColor = static_cast<document::Color>(random() & 0xFFFFFF);
    s.menuWidth = static_cast<std::int32_t>(random());
    s.xPos = -static_cast<std::int32_t>(pick(1000));
    s.encodingIndex = static_cast<int>(pick(30)) - 1;
    s.fontBold = pick(2) == 0;
    s.keepHilite = pick(2) == 0;
    s.menuType = static_cast<document::MenuType>(pick(3));
    doc.setSettings(s, false);

    const std::string path = folder.file("r" + std::to_string(round) + ".cvp");
    saveProjectFiles(doc, path);
    document::Document back;
    openProjectFiles(back, path);
    ASSERT_EQ(dump(back.tree()), dump(doc.tree())) << "round " << round;
    ASSERT_EQ(back.settings(), doc.settings()) << "round " << round;
    // A second save of the reopened project writes the same bytes.
    const std::string first = test::readFile(path) + test::readFile(menuDataPath(path));
    saveProjectFiles(back, path);
    ASSERT_EQ(test::readFile(path) + test::readFile(menuDataPath(path)), first);
  }
}

}  // namespace
}  // namespace corvantel::project
