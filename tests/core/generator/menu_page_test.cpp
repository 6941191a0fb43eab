#include <gtest/gtest.h>

#include <algorithm>

#include "core/generator/generator_text.h"
#include "core/generator/menu_page_writer.h"
#include "generator_test_util.h"

using namespace corvantel;
using gentest::add;
using gentest::lines;

namespace {

std::vector<std::string> pageLines(const document::Document& d) { return lines(generator::buildMenuPage(d.settings(), d.tree())); }

// The tree of the examples: Home (index.html, no children), Products (products.html, two children).
std::unique_ptr<document::Document> exampleDocument(document::MenuType type) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().menuType = type;
  document::MenuTree& t = d.tree();
  add(t, t.root(), "Home", "");
  document::MenuItem* products = add(t, t.root(), "Products", "products.html");
  add(t, products, "Alpha", "a.html");
  add(t, products, "Beta", "b.html");
  return dp;
}

}  // namespace

TEST(colorToHex, ReordersTheHexadecimalPairs) {
  EXPECT_EQ(generator::colorToHex(0xFFF7EF), "EFF7FF");
  EXPECT_EQ(generator::colorToHex(0), "000000");
  EXPECT_EQ(generator::colorToHex(document::makeColor(0x12, 0x34, 0x56)), "123456");
  // Values wider than 24 bits keep the digit positions of the rule: the value is taken unsigned.
  EXPECT_EQ(generator::colorToHex(-1), "FFFFFF");                    // FFFFFFFF
  EXPECT_EQ(generator::colorToHex(static_cast<document::Color>(0x80000000)), "000080");
  EXPECT_EQ(generator::colorToHex(0x1ABCDEF), "DEBC1A");             // 1ABCDEF: pairs 5-6, 3-4, 1-2
}

TEST(escapeQuotes, BackslashBeforeQuotesAndBackslashesOnly) {
  EXPECT_EQ(generator::escapeQuotes("Say \"hi\""), "Say \\\"hi\\\"");
  EXPECT_EQ(generator::escapeQuotes("C:\\x\\"), "C:\\\\x\\\\");
  EXPECT_EQ(generator::escapeQuotes("tab\there 'single' \xC3\xA9"), "tab\there 'single' \xC3\xA9");
  EXPECT_EQ(generator::escapeQuotes(""), "");
}

TEST(MenuPage, JavascriptMenuOfANewProject) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().fontBold = true;
  const auto l = pageLines(d);
  ASSERT_EQ(l.size(), 67u);
  EXPECT_EQ(l[0], "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//EN\">");
  EXPECT_EQ(l[4], "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO8859-1\">");
  EXPECT_EQ(l[5], "<META NAME=\"Author\" CONTENT=\"Ombrel Corvantel 2.0.0.0\">");
  EXPECT_EQ(l[6], "<TITLE>Site menu</TITLE>");
  // No style block: line 8 of the page is the first script line.
  EXPECT_EQ(l[7], "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\">");
  EXPECT_EQ(l[18], "/" + std::string(75, '*'));
  EXPECT_EQ(l[19], "\t\t\t\t\t\t\tIN-PAGE PARAMETERS");
  EXPECT_EQ(l[20], std::string(75, '*') + "/");
  EXPECT_EQ(l[21], "");
  const std::vector<std::string> parameters = {
      "HM_PG_MenuWidth = 150;",          "HM_PG_FontFamily = \"Arial,sans-serif\";",
      "HM_PG_FontSize = 10;",            "HM_PG_FontBold = true;",
      "HM_PG_FontItalic =false;",        "HM_PG_FontColor = \"#000000\";",
      "HM_PG_FontColorOver = \"#FFFFFF\";", "HM_PG_BGColor = \"#EFF7FF\";",
      "HM_PG_BGColorOver = \"#003F5C\";", "HM_PG_ItemPadding = 3;",
      "",                                "HM_PG_BorderWidth = 2;",
      "HM_PG_BorderColor = \"#000000\";",  "HM_PG_BorderStyle = \"solid\";",
      "HM_PG_SeparatorSize = 2;",        "HM_PG_SeparatorColor = \"#000000\";",
      "HM_PG_ImageSrc = \"tri.gif\";",     "HM_PG_ImageSize = 5;",
      "HM_PG_ImageHorizSpace = 0;",      "HM_PG_ImageVertSpace =0;",
      "",                                "HM_PG_KeepHilite = true;"};
  for (std::size_t i = 0; i < parameters.size(); ++i) EXPECT_EQ(l[22 + i], parameters[i]) << "line " << 23 + i;
  EXPECT_EQ(l[50], "HM_PG_StatusDisplayBuild =1;");
  EXPECT_EQ(l[57], "//HM_a_TreesToBuild = [];");
  EXPECT_EQ(l[62], "<BODY>");
  EXPECT_EQ(l[63], "<!-- Your text goes here -->");
  EXPECT_EQ(l[64], "<SCRIPT LANGUAGE=\"JavaScript1.2\" SRC=\"HM_Loader.js\" TYPE='text/javascript'></SCRIPT>");
  EXPECT_EQ(l[65].rfind("<HR><SMALL>Created using <A href=\"https://corvantel.example.org/\">Corvantel 2</A>. ", 0),
            0u);
  EXPECT_NE(l[65].find(generator::kMenuScriptPublisherSite), std::string::npos);
  EXPECT_EQ(l[65].substr(l[65].size() - 9), ".</SMALL>");
  EXPECT_EQ(l[66], "</BODY>");
}

TEST(MenuPage, TableTypesHaveTheStyleBlockAndOneLinkLinePerTopLevelItem) {
  for (document::MenuType type : {document::MenuType::TableMenu, document::MenuType::TableRelative}) {
    auto dp = exampleDocument(type);
    document::Document& d = *dp;
    const auto l = pageLines(d);
    ASSERT_EQ(l.size(), 76u + 2u);
    EXPECT_EQ(l[7], "<STYLE TYPE=\"text/css\">");
    EXPECT_EQ(l[8], " .navbar {color : #FFFFFF; text-decoration : none}");
    EXPECT_EQ(l[9], "</STYLE>");
    EXPECT_EQ(l[66], "<TABLE width=\"100%\"border=\"0\" cellspacing=\"0\" cellpadding=\"0\" vspace=\"0\" hspace=\"0\" "
                     "BGCOLOR=\"#000000\">");
    EXPECT_EQ(l[67], "  <TR>");
    EXPECT_EQ(l[69], "    <A href=\"\" onClick=\"return false;\" class=\"navbar\">Home</a> |");
    EXPECT_EQ(l[70], "    <A href=\"products.html\" onMouseOver=\"popUp('elMenu2',event)\" "
                     "onMouseOut=\"popDown('elMenu2')\" class=\"navbar\">Products</a> |");
    EXPECT_EQ(l[71], "</SPAN></FONT></TD>");
    EXPECT_EQ(l[73], "</TABLE>");
    EXPECT_EQ(l[77], "</BODY>");
  }
  // Without top-level items the table is still there, empty.
  auto emptyp = gentest::newDocument();
  document::Document& empty = *emptyp;
  empty.settings().menuType = document::MenuType::TableMenu;
  const auto l = pageLines(empty);
  ASSERT_EQ(l.size(), 76u);
  EXPECT_EQ(l[69], "</SPAN></FONT></TD>");
}

TEST(MenuPage, AParentWithoutAddressGetsBothOnClickAndThePopUpPair) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().menuType = document::MenuType::TableMenu;
  document::MenuItem* top = add(d.tree(), d.tree().root(), "<b>Shop</b>", "");
  add(d.tree(), top, "x", "x.html");
  EXPECT_EQ(pageLines(d)[69], "    <A href=\"\" onClick=\"return false;\" onMouseOver=\"popUp('elMenu1',event)\" "
                              "onMouseOut=\"popDown('elMenu1')\" class=\"navbar\"><b>Shop</b></a> |");
}

TEST(MenuPage, QuotesCannotBreakAttributesOrTheScript) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().menuType = document::MenuType::TableMenu;
  d.settings().pageAuthor = "Ann \"the Author\" & Co";
  d.settings().pageTitle = "<i>My \"menus\"</i>";
  d.settings().fontFamily = "\"Times New Roman\", serif</script><script>x()</script>";
  add(d.tree(), d.tree().root(), "Say \"hi\"", "page.html?q=\"x\"&y=1");
  const auto l = pageLines(d);
  EXPECT_EQ(l[5], "<META NAME=\"Author\" CONTENT=\"Ann &quot;the Author&quot; & Co\">");
  EXPECT_EQ(l[6], "<TITLE><i>My \"menus\"</i></TITLE>");  // markup on purpose stays
  EXPECT_EQ(l[26], "HM_PG_FontFamily = \"\\\"Times New Roman\\\", serif\\x3C/script>\\x3Cscript>x()\\x3C/script>\";");
  EXPECT_EQ(l[69], "    <A href=\"page.html?q=&quot;x&quot;&y=1\" class=\"navbar\">Say \"hi\"</a> |");
}

TEST(MenuPage, NegativeAndLargeNumbersAreWrittenInDecimal) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().menuWidth = -20;
  d.settings().itemPadding = 2147483647;
  d.settings().borderWidth = -2147483647 - 1;
  const auto l = pageLines(d);
  EXPECT_EQ(l[22], "HM_PG_MenuWidth = -20;");
  EXPECT_EQ(l[31], "HM_PG_ItemPadding = 2147483647;");
  EXPECT_EQ(l[33], "HM_PG_BorderWidth = -2147483648;");
}

TEST(MenuPageEncoding, WithoutAnEncodingThePageIsUtf8AndSaysSo) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;
  d.settings().encodingIndex = document::kNoEncoding;
  d.settings().pageTitle = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
  const auto l = pageLines(d);
  EXPECT_EQ(l[4], "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">");
  EXPECT_EQ(l[6], "<TITLE>Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</TITLE>");
}

TEST(MenuPageEncoding, TextIsWrittenInTheDeclaredEncoding) {
  struct Case {
    const char* encoding;
    const char* iconvName;
    std::string caption;  // UTF-8, every character held by the encoding
  };
  const std::vector<Case> cases = {
      {"ISO8859-1", "ISO-8859-1", "Caf\xC3\xA9 cr\xC3\xA8me"},
      {"Windows-1251", "CP1251", "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E"},                // Меню
      {"Shift_JIS", "CP932", "\xE3\x83\xA1\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC"},  // メニュー
      {"ISO-2022-JP", "ISO-2022-JP", "\xE3\x83\xA1\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC"},
  };
  const auto& names = document::encodingNames();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoding);
    auto dp = gentest::newDocument();
    document::Document& d = *dp;
    d.settings().encodingIndex =
        static_cast<int>(std::find(names.begin(), names.end(), c.encoding) - names.begin());
    d.settings().menuType = document::MenuType::TableMenu;
    d.settings().pageTitle = c.caption;
    add(d.tree(), d.tree().root(), c.caption, "a.html");
    const std::string bytes = generator::buildMenuPage(d.settings(), d.tree());
    EXPECT_EQ(bytes.find(c.caption), std::string::npos) << "the UTF-8 bytes reached the file";
    const auto l = lines(gentest::toUtf8(bytes, c.iconvName));
    ASSERT_EQ(l.size(), 77u);
    EXPECT_EQ(l[4], std::string("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=") + c.encoding + "\">");
    EXPECT_EQ(l[6], "<TITLE>" + c.caption + "</TITLE>");
    EXPECT_EQ(l[69], "    <A href=\"a.html\" class=\"navbar\">" + c.caption + "</a> |");
  }
}

TEST(MenuPageEncoding, CharactersTheEncodingLacksBecomeReferencesOrScriptEscapes) {
  auto dp = gentest::newDocument();
  document::Document& d = *dp;  // ISO8859-1
  d.settings().menuType = document::MenuType::TableMenu;
  d.settings().pageTitle = "10 \xE2\x82\xAC and \xC3\xA9";       // € is not in ISO-8859-1
  d.settings().fontFamily = "\xE5\xAE\x8B\xE4\xBD\x93, serif";  // 宋体
  add(d.tree(), d.tree().root(), "\xF0\x9F\x98\x80", "");       // U+1F600
  const auto l = lines(generator::buildMenuPage(d.settings(), d.tree()));
  EXPECT_EQ(l[6], "<TITLE>10 &#8364; and \xE9</TITLE>");
  EXPECT_EQ(l[26], "HM_PG_FontFamily = \"\\u5B8B\\u4F53, serif\";");
  EXPECT_EQ(l[69], "    <A href=\"\" onClick=\"return false;\" class=\"navbar\">&#128512;</a> |");
}
