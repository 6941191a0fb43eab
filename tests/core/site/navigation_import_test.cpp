#include "core/site/navigation_import.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "core/project/menu_data_file.h"
#include "support/core/temp_dir.h"

using namespace corvantel;
using site::ImportReport;

namespace {

// The menus under the root, one line per item: two blanks per level, caption, "|", address.
std::string outline(const document::MenuTree& tree) {
  std::string out;
  tree.forEach([&](const document::MenuItem& item, int depth) {
    if (depth == 0) return;
    out += std::string(static_cast<std::size_t>(depth - 1) * 2, ' ') + document::extractTitle(item.text()) + "|" +
           document::extractUrl(item.text()) + "\n";
  });
  return out;
}

std::string importedOutline(const std::string& page, ImportReport& report) {
  document::MenuTree tree;
  site::importPage(page, tree, report);
  EXPECT_EQ(document::extractTitle(tree.root()->text()), "Menu");
  return outline(tree);
}

std::string repeated(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace

// A site's header navigation three levels deep; the footer's smaller <nav> and the logo link beside the
// list are not menus.
TEST(NavigationImport, HeaderNavWithNestedListsBecomesTheTree) {
  const std::string page = R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Caf&eacute; Nord</title>
<script>document.write('<nav><a href="x">no</a></nav>');</script></head>
<body>
<header>
  <a class="logo" href="/"><img src="logo.png" alt="Caf&eacute; Nord"></a>
  <nav class="main" aria-label="Main">
    <ul>
      <li><a href="/">Home</a></li>
      <li><a href="/menu/"><b>Food</b> &amp; drink <span class="badge">new</span></a>
        <ul>
          <li><a href="/menu/breakfast.html">Breakfast</a>
            <ul>
              <li><a href="/menu/breakfast.html#eggs">Eggs &lt;3</a></li>
              <li><a href="/menu/breakfast.html#caf%C3%A9">Caf&eacute;
                  au lait</a></li>
            </ul>
          </li>
          <li><a>Lunch &amp;copy; (soon)</a></li>
        </ul>
      </li>
      <li><span>About us</span>
        <ul><li><a href="team.html?a=1&amp;b=2">Team</a></li><li><a href="mailto:hi@example.org" title="Write to us"><img src="m.svg" alt=""></a></li></ul>
      </li>
      <li>  </li>
    </ul>
  </nav>
</header>
<main><p>Text with a <a href="elsewhere.html">link</a>.</p></main>
<footer><nav><a href="/imprint">Imprint</a> <a href="/privacy">Privacy</a></nav></footer>
</body></html>
)";
  ImportReport report;
  EXPECT_EQ(importedOutline(page, report),
            "Home|/\n"
            "<b>Food</b> & drink new|/menu/\n"
            "  Breakfast|/menu/breakfast.html\n"
            "    Eggs &lt;3|/menu/breakfast.html#eggs\n"
            "    Caf\xC3\xA9 au lait|/menu/breakfast.html#caf%C3%A9\n"
            "  Lunch &amp;copy; (soon)|\n"
            "About us|\n"
            "  Team|team.html?a=1&b=2\n"
            "  Write to us|mailto:hi@example.org\n");
  EXPECT_EQ(report.source, ImportReport::Source::Nav);
  EXPECT_EQ(report.taken, 9u);
  EXPECT_EQ(report.emptyEntries, 1u);
  EXPECT_EQ(report.extraLinks, 0u);
}

// Without a <nav> the list with the most links is the menu, whatever the markup's faults: entries left
// open, a list put straight into a list, stray and misnested tags.
TEST(NavigationImport, WithoutNavTheLargestListWinsDespiteBrokenMarkup) {
  const std::string page = R"(<html><body>
<div id="top"><ul><li><a href="login.html">Log in</a><li><a href="help.html">Help</a></ul></div>
<div id="menu"></span>
<ul class="menu">
  <li><a href="index.html">Start</a>
  <li><a href="products.html">Products</a></li>
  <ul>
    <li><a href="products/a.html">A</a>
    <li><a href="products/b.html"><i>B</a></i>
  </ul>
  <li><a href="contact.html">Contact</a></p>
  <ul><li><a href="map.html">Map</a></ul>
</div></ul>
<ul><li><a href="x.html">Orphan</a></ul>
</body></html>)";
  ImportReport report;
  EXPECT_EQ(importedOutline(page, report),
            "Start|index.html\n"
            "Products|products.html\n"
            "  A|products/a.html\n"
            "  <i>B</i>|products/b.html\n"
            "Contact|contact.html\n"
            "  Map|map.html\n");
  EXPECT_EQ(report.source, ImportReport::Source::List);
  EXPECT_EQ(report.taken, 6u);
}

TEST(NavigationImport, APageWithoutNavigationIsAnError) {
  document::MenuTree tree;
  ImportReport report;
  const std::string page = "<html><body><p><a href=\"a.html\">A</a> and <a href=\"b.html\">B</a></p>"
                           "<nav><p>Nothing to follow here</p></nav><ul><li>No links</li></ul></body></html>";
  try {
    site::importPage(page, tree, report);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("no navigation"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(tree.empty());
}

// The page's declared encoding decides how its bytes read; an undeclared page that is not UTF-8 is taken
// as Windows-1252.
TEST(NavigationImport, PagesInTheirDeclaredEncodings) {
  struct Case {
    const char* name;
    std::string page;
    std::string caption;
  };
  const Case cases[] = {
      {"windows-1252 declared", "<meta charset=\"windows-1252\"><nav><a href=\"u.html\">\xDC" "ber \x80 \x93uns\x94</a></nav>",
       "\xC3\x9C" "ber \xE2\x82\xAC \xE2\x80\x9Cuns\xE2\x80\x9D"},
      {"latin-1 in a content type", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">"
       "<nav><a href=\"u.html\">\xDC" "ber \x80</a></nav>", "\xC3\x9C" "ber \xE2\x82\xAC"},
      {"undeclared, not UTF-8", "<nav><a href=\"u.html\">K\xF6ln</a></nav>", "K\xC3\xB6ln"},
      {"iso-8859-2", "<meta charset=\"iso-8859-2\"><nav><a href=\"u.html\">\xA3\xF3" "d\xBC</a></nav>",
       "\xC5\x81\xC3\xB3" "d\xC5\xBA"},
      {"utf-8 declared", "<meta charset=\"UTF-8\"><nav><a href=\"u.html\">K\xC3\xB6ln</a></nav>", "K\xC3\xB6ln"},
  };
  for (const Case& c : cases) {
    ImportReport report;
    EXPECT_EQ(importedOutline(c.page, report), c.caption + "|u.html\n") << c.name;
  }
}

// What a page's text holds must not break the menu data file: line breaks and tabs inside a caption or an
// address, a caption far too long to show, a caption that starts where the file's indentation would.
TEST(NavigationImport, CaptionsAndAddressesSurviveTheMenuDataFile) {
  const std::string longText = repeated("very long entry text ", 500);
  const std::string page = "<nav><ul>"
                           "<li><a href=\"a&#9;b\n.html \">\tTab&#9;and\r\nbreak</a></li>"
                           "<li>" + longText + "<ul><li><a href=\"x.html\">X</a></li></ul></li>"
                           "<li><a href=\"e.html\"><b> <i> </i></b> Empty <b></b>bold</a></li>"
                           "</ul></nav>";
  document::MenuTree tree;
  ImportReport report;
  site::importPage(page, tree, report);
  const document::MenuItem* root = tree.root();
  ASSERT_EQ(root->childCount(), 3);
  EXPECT_EQ(root->child(0)->text(), "Tab and break\tab.html");
  const std::string shortened = document::extractTitle(root->child(1)->text());
  EXPECT_LE(shortened.size(), 210u);
  EXPECT_TRUE(shortened.starts_with("very long entry text very")) << shortened;
  EXPECT_TRUE(shortened.ends_with("\xE2\x80\xA6")) << shortened;
  EXPECT_EQ(report.shortened, 1u);
  EXPECT_EQ(root->child(2)->text(), "Empty bold\te.html");

  document::MenuTree back;
  project::readMenuData(project::menuDataBytes(tree), back);
  EXPECT_EQ(outline(back), outline(tree));
}

// A sitemap's addresses grouped by folder, in the order they are listed; a folder takes the address of its
// own entry whether that comes before or after its pages; an address listed twice is taken once.
TEST(NavigationImport, SitemapGroupedByNestedFolders) {
  const std::string sitemap = R"(<?xml version="1.0" encoding="UTF-8"?>
<urlset xmlns="http://www.sitemaps.org/schemas/sitemap/0.9">
  <url><loc>https://example.org/</loc></url>
  <url><loc>https://example.org/about/team/alice.html</loc><lastmod>2024-01-01</lastmod></url>
  <url><loc> https://example.org/about/ </loc></url>
  <url><loc>https://example.org/about/team/</loc></url>
  <url><loc>https://example.org/news/2024/caf%C3%A9.html?x=1&amp;y=2</loc></url>
  <url><loc>https://example.org/about/team/alice.html</loc></url>
  <url><loc><![CDATA[https://example.org/contact.html]]></loc></url>
</urlset>)";
  document::MenuTree tree;
  ImportReport report;
  ASSERT_TRUE(site::looksLikeSitemap(sitemap));
  site::importSitemap(sitemap, tree, report);
  EXPECT_EQ(outline(tree),
            "example.org|https://example.org/\n"
            "about|https://example.org/about/\n"
            "  team|https://example.org/about/team/\n"
            "    alice|https://example.org/about/team/alice.html\n"
            "news|\n"
            "  2024|\n"
            "    caf\xC3\xA9|https://example.org/news/2024/caf%C3%A9.html?x=1&y=2\n"
            "contact|https://example.org/contact.html\n");
  EXPECT_EQ(report.duplicates, 1u);
  EXPECT_EQ(report.taken, 8u);
}

// The parser needs time that grows with the square of the nesting depth, so a page nested deeper than any
// real one is refused before it gets there, in whatever form the nesting comes; a deep page below the
// limit is imported whole, without recursion in the walk over it.
TEST(NavigationImport, DeepNestingIsRefusedOrImportedWithoutRecursion) {
  for (const std::string piece : {"<ul><li><a href=\"x.html\">x</a>", "<div/>", "<b>", "<span><li>",
                                  "<ul><li><a href=x>x</a><table><tr><td></ul>"}) {
    document::MenuTree tree;
    ImportReport report;
    const std::string page = "<nav>" + repeated(piece, 100000) + "</nav>";
    try {
      site::importPage(page, tree, report);
      FAIL() << piece << ": no error";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("more than 2000 levels deep"), std::string::npos) << e.what();
    }
  }

  const std::size_t depth = 900;  // a list and an entry for each level: 1,800 elements deep
  document::MenuTree tree;
  ImportReport report;
  site::importPage("<nav>" + repeated("<ul><li><a href=\"x.html\"><b>x</b></a>", depth) + "</nav>", tree, report);
  EXPECT_EQ(report.taken, depth);
  int deepest = 0;
  tree.forEach([&](const document::MenuItem& item, int d) {
    deepest = std::max(deepest, d);
    EXPECT_EQ(item.text(), d == 0 ? "Menu\t" : "<b>x</b>\tx.html");
  });
  EXPECT_EQ(deepest, static_cast<int>(depth));
}

TEST(NavigationImport, FilesThatCannotBeImported) {
  test::TempDir dir;
  test::writeFile(dir.file("index.xml"),
                  "<?xml version=\"1.0\"?><sitemapindex><sitemap><loc>https://e.org/a.xml</loc></sitemap></sitemapindex>");
  test::writeFile(dir.file("empty.xml"), "<?xml version=\"1.0\"?><urlset><url><loc> </loc></url></urlset>");
  for (const char* name : {"missing.html", "index.xml", "empty.xml"}) {
    document::MenuTree tree;
    ImportReport report;
    EXPECT_THROW(site::importFile(dir.file(name), tree, report), Error) << name;
    EXPECT_TRUE(tree.empty()) << name;
  }
}
