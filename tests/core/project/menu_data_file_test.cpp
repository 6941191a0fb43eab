#include "core/project/menu_data_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/error.h"
#include "support/core/temp_dir.h"

namespace corvantel::project {
namespace {

// The tree as "depth:text" lines, for comparing.
std::string dump(const document::MenuTree& tree) {
  std::string out;
  tree.forEach([&out](const document::MenuItem& item, int depth) {
    out += std::to_string(depth) + ":" + item.text() + "|" + std::to_string(item.imageIndex()) + "\n";
  });
  return out;
}

document::MenuTree& read(document::MenuTree& tree, std::string_view text) {
  readMenuData(text, tree);
  return tree;
}

std::string errorOf(std::string_view text, document::MenuTree& tree) {
  try {
    readMenuData(text, tree);
  } catch (const Error& e) {
    return e.what();
  }
  return "<no error>";
}

TEST(MenuDataFile, FourLineExample) {
  document::MenuTree tree;
  document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
  document::MenuItem* first = tree.append(root, "News\tnews.html", -1);
  tree.append(first, "Today\ttoday.html", -1);
  tree.append(root, "About\tabout.html", -1);
  EXPECT_EQ(menuDataBytes(tree), "Menu\t\r\n\tNews\tnews.html\r\n\t\tToday\ttoday.html\r\n\tAbout\tabout.html\r\n");

  document::MenuTree back;
  read(back, menuDataBytes(tree));
  EXPECT_EQ(dump(back), "0:Menu\t|0\n1:News\tnews.html|0\n2:Today\ttoday.html|0\n1:About\tabout.html|0\n");
  EXPECT_EQ(menuDataBytes(document::MenuTree{}), "");
}

TEST(MenuDataFile, LevelRules) {
  struct Case {
    const char* name;
    const char* text;
    const char* tree;
  } cases[] = {
      {"first line always top level", "\t\tA\r\n\tB\r\n", "0:A|0\n1:B|0\n"},
      {"blanks count like tabs", "R\n A\n \tB\n  C\n", "0:R|0\n1:A|0\n2:B|0\n2:C|0\n"},
      {"walk back up", "R\n\tA\n\t\tB\n\t\t\tC\n\tD\nE\n", "0:R|0\n1:A|0\n2:B|0\n3:C|0\n1:D|0\n0:E|0\n"},
      {"lone CR, lone LF, no last line end", "R\r\tA\n\tB\r\n\tC", "0:R|0\n1:A|0\n1:B|0\n1:C|0\n"},
      {"empty lines are items at level 0", "R\r\n\r\n\tA\r\n", "0:R|0\n0:|0\n1:A|0\n"},
      {"a line of only indentation is an empty item", "R\n\t\n", "0:R|0\n1:|0\n"},
      {"no line end at all", "just one", "0:just one|0\n"},
  };
  for (const Case& c : cases) {
    document::MenuTree tree;
    EXPECT_EQ(dump(read(tree, c.text)), c.tree) << c.name;
  }
  document::MenuTree withNul;
  read(withNul, std::string_view("R\n\ta\0b\n", 7));
  EXPECT_EQ(withNul.root()->child(0)->text(), std::string("a\0b", 3));
}

TEST(MenuDataFile, InvalidLevelKeepsTheItemsBefore) {
  document::MenuTree tree;
  EXPECT_EQ(errorOf("Menu\t\r\n\tA\r\n\t\t\tDeep\turl\r\n\tNever\r\n", tree),
            "Invalid level (3) for item \"Deep url\" in line 3");  // the tab shown as a blank
  EXPECT_EQ(dump(tree), "0:Menu\t|0\n1:A|0\n");

  // A text too long for a message box is cut in the message, not in any item.
  document::MenuTree second;
  const std::string message = errorOf("R\n\t\t" + std::string(100000, 'x') + "\n", second);
  EXPECT_LT(message.size(), 300u);
  EXPECT_EQ(message.rfind("Invalid level (2) for item \"xxx", 0), 0u);
}

TEST(MenuDataFile, TextsWithLeadingBlanksTabsOrMarkerComeBackIntact) {
  const std::string marker = "\xE2\x90\x82";
  const std::string texts[] = {"\t", "\turl", " caption\turl", "\t\tx", "  ", "", marker, marker + " x",
                               marker + marker, "plain\t", "x" + marker};
  document::MenuTree tree;
  document::MenuItem* root = tree.append(nullptr, "\t", 0);
  document::MenuItem* parent = root;
  for (const std::string& text : texts) parent = tree.append(parent, text, 0);
  tree.append(root, " last", 0);
  const std::string bytes = menuDataBytes(tree);
  document::MenuTree back;
  read(back, bytes);
  EXPECT_EQ(dump(back), dump(tree));
  // Only the lines that need it carry the marker; ordinary lines keep the older form.
  EXPECT_NE(bytes.find("\t\t\t\t\t\t\t\t\t\tplain\t\r\n"), std::string::npos);
  EXPECT_EQ(bytes.rfind(marker + "\t\r\n\t" + marker + "\t\r\n", 0), 0u);
}

TEST(MenuDataFile, OlderFilesReadAsBefore) {
  // In the older form a caption's leading blank counts as one more level, as it always did.
  document::MenuTree tree;
  read(tree, "Menu\t\r\n\tA\r\n\t Space\turl\r\n");
  EXPECT_EQ(dump(tree), "0:Menu\t|0\n1:A|0\n2:Space\turl|0\n");
  document::MenuTree broken;
  EXPECT_EQ(errorOf("Menu\t\r\n\t\t\r\n", broken), "Invalid level (2) for item \"\" in line 2");
}

TEST(MenuDataFile, LineBreaksInsideATextBecomeBlanks) {
  document::MenuTree tree;
  document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
  tree.append(root, "two\r\nlines\tu\rrl", 0);
  tree.append(root, "after", 0);
  document::MenuTree back;
  read(back, menuDataBytes(tree));
  EXPECT_EQ(dump(back), "0:Menu\t|0\n1:two  lines\tu rl|0\n1:after|0\n");
}

TEST(MenuDataFile, PathRule) {
  struct Case {
    const char* settings;
    const char* data;
  } cases[] = {
      {"/a/b/site.cvp", "/a/b/site.cvd"},       {"/a/b/site", "/a/b/site.cvd"},
      {"/a.d/b.e/site", "/a.d/b.e/site.cvd"},   {"/a/site.old.cvp", "/a/site.old.cvd"},
      {"site.CVP", "site.cvd"},                 {"/a/b/.hidden", "/a/b/.cvd"},
      {"/a/b/site.", "/a/b/site.cvd"},          {"noname", "noname.cvd"},
  };
  for (const Case& c : cases) EXPECT_EQ(menuDataPath(c.settings), c.data) << c.settings;
}

TEST(MenuDataFile, FilesOnDisk) {
  test::TempDir folder;
  document::MenuTree tree;
  EXPECT_THROW(
      try { readMenuDataFile(folder.file("missing.cvd"), tree); } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + folder.file("missing.cvd"));
        throw;
      },
      Error);
  EXPECT_THROW(readMenuDataFile(folder.path(), tree), Error);  // a folder
  EXPECT_TRUE(tree.empty());

  // Older 8-bit files are Windows-1252.
  test::writeFile(folder.file("old.cvd"), "Men\xFC\t\r\n\tCaf\xE9\t\x80.html\r\n");
  readMenuDataFile(folder.file("old.cvd"), tree);
  EXPECT_EQ(dump(tree), "0:Men\xC3\xBC\t|0\n1:Caf\xC3\xA9\t\xE2\x82\xAC.html|0\n");

  // A byte-order mark is not part of the first item.
  document::MenuTree marked;
  readMenuDataBytes("\xEF\xBB\xBFMenu\t\r\n\t\xC3\xA9", marked);
  EXPECT_EQ(dump(marked), "0:Menu\t|0\n1:\xC3\xA9|0\n");

  writeMenuDataFile(folder.file("new.cvd"), tree);
  EXPECT_EQ(test::readFile(folder.file("new.cvd")), "Men\xC3\xBC\t\r\n\tCaf\xC3\xA9\t\xE2\x82\xAC.html\r\n");
  std::filesystem::create_directory(folder.file("dir.cvd"));
  try {
    writeMenuDataFile(folder.file("dir.cvd"), tree);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + folder.file("dir.cvd"));
  }
}

TEST(MenuDataFile, DeepNestingAndHugeLines) {
  // Thousands of levels: reading and writing use no recursion.
  constexpr int kDepth = 3000;
  std::string text;
  for (int d = 0; d < kDepth; ++d) text += std::string(static_cast<std::size_t>(d), '\t') + "x\n";
  document::MenuTree tree;
  read(tree, text);
  EXPECT_EQ(tree.itemCount(), static_cast<std::size_t>(kDepth));
  std::string expected;
  for (int d = 0; d < kDepth; ++d) expected += std::string(static_cast<std::size_t>(d), '\t') + "x\r\n";
  EXPECT_EQ(menuDataBytes(tree), expected);

  // A 50 MB line of indentation as the second line: one clear error.
  document::MenuTree second;
  const std::string huge = "R\n" + std::string(50'000'000, '\t') + "x";
  EXPECT_EQ(errorOf(huge, second), "Invalid level (50000000) for item \"x\" in line 2");
  // ... and as the first line: one top-level item.
  document::MenuTree third;
  read(third, std::string_view(huge).substr(2));
  EXPECT_EQ(dump(third), "0:x|0\n");
}

}  // namespace
}  // namespace corvantel::project
