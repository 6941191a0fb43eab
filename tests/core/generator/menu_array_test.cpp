#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <tuple>
#include <utility>

#include "core/error.h"
#include "core/generator/menu_array_writer.h"
#include "core/io/file_io.h"
#include "generator_test_util.h"

using namespace corvantel;
using gentest::add;
using gentest::lines;

namespace {

const char* kJsRow = "[150, 0, 2, \"#000000\", \"#FFFFFF\", \"#EFF7FF\", \"#003F5C\", \"#000000\", \"#000000\", "
                     "1, 1, 0, 1, 0, 1, \"null\", \"null\",],";
const char* kTableRow = "[150, 10, 10, \"#000000\", \"#FFFFFF\", \"#EFF7FF\", \"#003F5C\", \"#000000\", \"#000000\", "
                        "0, 0, 0, 1, 1, 1, \"null\", \"null\",],";

std::vector<std::string> arrayLines(const document::Document& d) {
  generator::MenuArrayWriter w(d.settings());
  w.buildArrayText(d.tree());
  auto l = lines(w.encodedText());
  EXPECT_EQ(l.size(), w.lineCount());
  return l;
}

std::unique_ptr<document::Document> exampleDocument(document::MenuType type) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().menuType = type;
  document::MenuTree& t = d.tree();
  add(t, t.root(), "Home", "index.html");
  document::MenuItem* products = add(t, t.root(), "Products", "");
  add(t, products, "Alpha", "a.html");
  add(t, products, "Beta", "b.html");
  return dp;
}

// The header lines of a file, in order.
std::vector<std::string> arrayNames(const std::vector<std::string>& l) {
  std::vector<std::string> names;
  for (const auto& line : l) {
    if (line.size() > 4 && line.compare(line.size() - 4, 4, " = [") == 0) names.push_back(line.substr(0, line.size() - 4));
  }
  return names;
}

}  // namespace

TEST(MenuArray, TheEightLineExampleUnderEachMenuType) {
  EXPECT_EQ(arrayLines(*exampleDocument(document::MenuType::JSMenu)),
            (std::vector<std::string>{"HM_Array1 = [", kJsRow, "[\"Home\",\"index.html\", 1, 0, 0],",
                                      "[\"Products\",\"\", 1, 0, 1]]", "HM_Array1_2 = [", "[],",
                                      "[\"Alpha\",\"a.html\", 1, 0, 0],", "[\"Beta\",\"b.html\", 1, 0, 0]]"}));
  EXPECT_EQ(arrayLines(*exampleDocument(document::MenuType::TableMenu)),
            (std::vector<std::string>{"HM_Array2 = [", kTableRow, "[\"Alpha\",\"a.html\", 1, 0, 0],",
                                      "[\"Beta\",\"b.html\", 1, 0, 0]]"}));
  EXPECT_EQ(arrayLines(*exampleDocument(document::MenuType::TableRelative)),
            (std::vector<std::string>{"HM_Array2 = [", "[150],", "[\"Alpha\",\"a.html\", 1, 0, 0],",
                                      "[\"Beta\",\"b.html\", 1, 0, 0]]"}));
}

TEST(MenuArray, EmptyMenusGiveAZeroByteFile) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  generator::MenuArrayWriter w(d.settings());
  w.buildArrayText(d.tree());
  EXPECT_EQ(w.encodedText(), "");
  // A table type whose top-level items have no children has no arrays either.
  d.settings().menuType = document::MenuType::TableMenu;
  add(d.tree(), d.tree().root(), "A", "a.html");
  add(d.tree(), d.tree().root(), "B", "b.html");
  w.buildArrayText(d.tree());
  EXPECT_EQ(w.encodedText(), "");
  // An empty tree (not even the root) as well.
  document::Document none;
  generator::MenuArrayWriter w2(none.settings());
  w2.buildArrayText(none.tree());
  EXPECT_EQ(w2.encodedText(), "");
}

TEST(MenuArray, NamesFollowPositionsAndAreNotRenumbered) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().menuType = document::MenuType::TableRelative;
  document::MenuTree& t = d.tree();
  add(t, t.root(), "First", "");
  document::MenuItem* second = add(t, t.root(), "Second", "");
  document::MenuItem* third = add(t, t.root(), "Third", "");
  add(t, second, "s1", "");
  document::MenuItem* t1 = add(t, third, "t1", "");
  document::MenuItem* t2 = add(t, third, "t2", "");
  add(t, t1, "t1a", "");
  document::MenuItem* t2a = add(t, t2, "t2a", "");
  add(t, t2a, "deep", "");
  const auto l = arrayLines(d);
  // Parent first, then each submenu's whole subtree before its next sibling.
  EXPECT_EQ(arrayNames(l), (std::vector<std::string>{"HM_Array2", "HM_Array3", "HM_Array3_1", "HM_Array3_2",
                                                     "HM_Array3_2_1"}));
  EXPECT_EQ(l[1], "[150],");
  EXPECT_EQ(l[2], "[\"s1\",\"\", 1, 0, 0]]");  // a single item closes its array at once
  EXPECT_EQ(l[7], "HM_Array3_1 = [");
  EXPECT_EQ(l[8], "[],");
}

TEST(MenuArray, JavascriptMenuNamesSubmenusBelowTheMainMenu) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  document::MenuTree& t = d.tree();
  document::MenuItem* a = add(t, t.root(), "a", "");
  document::MenuItem* b = add(t, t.root(), "b", "");
  add(t, a, "a1", "");
  add(t, b, "b1", "");
  document::MenuItem* b2 = add(t, b, "b2", "");
  add(t, b2, "b21", "");
  add(t, b2, "b22", "");
  document::MenuItem* b23 = add(t, b2, "b23", "");
  add(t, b23, "leaf", "");
  const auto l = arrayLines(d);
  EXPECT_EQ(arrayNames(l), (std::vector<std::string>{"HM_Array1", "HM_Array1_1", "HM_Array1_2", "HM_Array1_2_2",
                                                     "HM_Array1_2_2_3"}));
  EXPECT_EQ(l.back(), "[\"leaf\",\"\", 1, 0, 0]]");
  EXPECT_EQ(l[l.size() - 2], "[],");
}

TEST(MenuArray, ItemRowsEscapeQuotesAndBackslashes) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  add(d.tree(), d.tree().root(), "Say \"hi\"", "C:\\x");
  add(d.tree(), d.tree().root(), "<b>bold</b>\t", "");  // a tab after the first one belongs to the address
  const auto l = arrayLines(d);
  EXPECT_EQ(l[2], "[\"Say \\\"hi\\\"\",\"C:\\\\x\", 1, 0, 0],");
  EXPECT_EQ(l[3], "[\"<b>bold</b>\",\"\t\", 1, 0, 0]]");
}

TEST(MenuArray, PositionAndSizesAreSignedDecimals) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().xPos = -5;
  d.settings().yPos = -2147483647 - 1;
  d.settings().menuWidth = 0;
  d.settings().bgColor = -1;
  add(d.tree(), d.tree().root(), "a", "");
  const auto l = arrayLines(d);
  EXPECT_EQ(l[1].substr(0, 34), "[0, -5, -2147483648, \"#000000\", \"#");
  EXPECT_NE(l[1].find("\"#FFFFFF\", \"#FFFFFF\", \"#003F5C\""), std::string::npos);
  // XPos and YPos stay out of the table rows.
  d.settings().menuType = document::MenuType::TableMenu;
  add(d.tree(), d.tree().root()->child(0), "a1", "");
  EXPECT_EQ(arrayLines(d)[1].substr(0, 12), "[0, 10, 10, ");
}

TEST(MenuArrayEncoding, CharactersOutsideTheEncodingBecomeUnicodeEscapes) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;  // ISO8859-1
  add(d.tree(), d.tree().root(), "Caf\xC3\xA9 \xE2\x82\xAC", "\xF0\x9F\x98\x80.html");
  const auto l = lines(gentest::toUtf8(
      [&] {
        generator::MenuArrayWriter w(d.settings());
        w.buildArrayText(d.tree());
        return w.encodedText();
      }(),
      "ISO-8859-1"));
  EXPECT_EQ(l[2], "[\"Caf\xC3\xA9 \\u20AC\",\"\\uD83D\\uDE00.html\", 1, 0, 0]]");
}

TEST(MenuArrayEncoding, ShiftJisAndWindows1251ReadBack) {
  const auto& names = document::encodingNames();
  for (auto [encoding, iconvName, caption] :
       {std::tuple<std::string, const char*, std::string>{"Shift_JIS", "CP932", "\xE8\xA3\xBD\xE5\x93\x81"},
        {"Windows-1251", "CP1251", "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB4\xD1\x83\xD0\xBA\xD1\x82"}}) {
    SCOPED_TRACE(encoding);
    auto dp = gentest::newDocument();
    document::Document& d = *dp;
    d.settings().encodingIndex = static_cast<int>(std::find(names.begin(), names.end(), encoding) - names.begin());
    add(d.tree(), d.tree().root(), caption, "\\" + caption);
    generator::MenuArrayWriter w(d.settings());
    w.buildArrayText(d.tree());
    const std::string bytes = w.encodedText();
    EXPECT_EQ(bytes.find(caption), std::string::npos);
    EXPECT_NE(bytes.find("\",\"\\\\"), std::string::npos) << "the escaped backslash is two 0x5C bytes";
    EXPECT_EQ(lines(gentest::toUtf8(bytes, iconvName))[2], "[\"" + caption + "\",\"\\\\" + caption + "\", 1, 0, 0]]");
  }
}

TEST(MenuArray, ADeepChainIsWrittenWithoutRecursion) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  document::MenuItem* item = d.tree().root();
  const int depth = 3000;
  for (int i = 0; i < depth; ++i) item = add(d.tree(), item, "x", "");
  generator::MenuArrayWriter w(d.settings());
  w.buildArrayText(d.tree());
  EXPECT_EQ(w.lineCount(), static_cast<std::size_t>(3 * depth));
  std::string last = "HM_Array1";
  for (int i = 0; i < depth - 1; ++i) last += "_1";
  EXPECT_NE(w.text().find("\r\n" + last + " = [\r\n[],\r\n[\"x\",\"\", 1, 0, 0]]\r\n"), std::string::npos);
}

TEST(MenuArray, ATreeTooLargeForTheFileGivesAClearError) {
  // 100,000 levels: the names alone would take about 10 GB. The writer stops at its size limit with an
  // error instead of exhausting memory or the stack.
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  document::MenuItem* item = d.tree().root();
  for (int i = 0; i < 100000; ++i) item = add(d.tree(), item, "x", "");
  generator::MenuArrayWriter w(d.settings(), std::size_t(64) << 20);
  try {
    w.buildArrayText(d.tree());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "The menu tree is too large to be written: the menu arrays would exceed 64 MB");
  }
  EXPECT_LE(w.text().size(), std::size_t(64) << 20);

  // A text exactly as large as the limit is still written.
  const auto example = exampleDocument(document::MenuType::JSMenu);
  generator::MenuArrayWriter unlimited(example->settings());
  unlimited.buildArrayText(example->tree());
  const std::size_t size = unlimited.text().size();
  EXPECT_NO_THROW(generator::MenuArrayWriter(example->settings(), size).buildArrayText(example->tree()));
  EXPECT_THROW(generator::MenuArrayWriter(example->settings(), size - 1).buildArrayText(example->tree()), Error);
}

TEST(MenuArraySave, FailuresUseTheProgramsTexts) {
  test::TempDir folder;
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  generator::MenuArrayWriter w(d.settings());
  const std::string missing = folder.file("no-such-folder/hierArrays.js");
  try {
    w.save(missing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + missing);
  }
  // The texts that stand for the system's error numbers.
  const std::pair<int, const char*> texts[] = {
      {EACCES, "File access denied"}, {EPERM, "File access denied"}, {EROFS, "File access denied"},
      {EISDIR, "File access denied"}, {ENOENT, "File not found"},    {ENOTDIR, "Path not found"},
      {ENAMETOOLONG, "Invalid filename"}, {EINVAL, "Invalid filename"}, {ENOSPC, "Disk full"},
      {EDQUOT, "Disk full"},          {EFBIG, "Disk full"},          {EIO, "I/O error 5"}};
  for (const auto& [number, text] : texts) EXPECT_EQ(io::ioErrorText(number), text) << number;
}
