#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "core/document/document.h"
#include "core/error.h"
#include "core/site/page_insertion.h"
#include "support/core/temp_dir.h"

using namespace corvantel;
using test::readFile;
using test::TempDir;
using test::writeFile;

namespace {

std::unique_ptr<document::Document> siteDocument(document::MenuType type) {
  auto d = std::make_unique<document::Document>();
  d->resetToNewProject();
  d->settings().menuType = type;
  d->settings().fontFamily = "Caf\xC3\xA9 Sans";  // lands in a script string: \u escape where not encodable
  document::MenuItem* about = d->tree().append(d->tree().root(), "\xC3\x9C" "ber uns\tabout/index.html", -1);
  d->tree().append(about, "Team\tabout/team.html", -1);
  d->tree().append(d->tree().root(), "Mail\tmailto:a@example.org", -1);
  return d;
}

std::size_t count(const std::string& text, const std::string& word) {
  std::size_t n = 0;
  for (std::size_t i = text.find(word); i != std::string::npos; i = text.find(word, i + 1)) ++n;
  return n;
}

const std::string kPage =
    "<!doctype html>\n<html><HEAD>\n<meta charset=\"utf-8\">\n<title>a </head> in the title</title>\n"
    "<script>var s = '<body>';</script>\n<!-- <body> in a comment -->\n</HEAD>\n"
    "<Body class=\"x\" data-a='>'>\n<p>Text</p>\n</body></html>\n";

}  // namespace

// The first run puts the two parts at the end of the head and the start of the body, past the look-alikes in
// the title, a script and a comment; a later run with another menu replaces only what the markers enclose,
// and a run with the same menu gives the same bytes.
TEST(PageInsertion, InsertsThenReplacesInsideTheMarkersOnly) {
  auto d = siteDocument(document::MenuType::JSMenu);
  const std::string once = site::pageWithMenu(kPage, d->settings(), d->tree(), "");
  const std::size_t headEnd = once.find("</HEAD>");
  const std::size_t bodyTag = once.find("<Body class=\"x\" data-a='>'>");
  ASSERT_NE(headEnd, std::string::npos);
  ASSERT_NE(bodyTag, std::string::npos);
  EXPECT_EQ(count(once, "<!-- corvantel menu -->"), 2u);
  EXPECT_EQ(count(once, "<!-- /corvantel menu -->"), 2u);
  const std::size_t params = once.find("HM_PG_MenuWidth");
  const std::size_t loader = once.find("SRC=\"HM_Loader.js\"");
  EXPECT_TRUE(params > once.find("</script>") && params < headEnd) << once;
  EXPECT_TRUE(loader > bodyTag && loader < once.find("<p>Text</p>")) << once;
  EXPECT_EQ(once.find("\r\n"), std::string::npos) << "the page's LF line ends are kept";
  EXPECT_NE(once.find("Caf\xC3\xA9 Sans"), std::string::npos);

  // Everything outside the markers is the page as it was.
  const std::string startMarker = "<!-- corvantel menu -->";
  const std::string endMarker = "<!-- /corvantel menu -->";
  std::string outside = once;
  const std::size_t h = outside.find(startMarker);
  outside.erase(h, outside.find(endMarker, h) + endMarker.size() + 1 - h);  // "...-->\n" before </HEAD>
  const std::size_t b = outside.find(startMarker) - 1;
  outside.erase(b, outside.find(endMarker, b) + endMarker.size() - b);  // "\n<!-- ...-->" after <Body>
  EXPECT_EQ(outside, kPage);

  EXPECT_EQ(site::pageWithMenu(once, d->settings(), d->tree(), ""), once);

  d->settings().menuWidth = 321;
  d->settings().menuType = document::MenuType::TableMenu;
  const std::string twice = site::pageWithMenu(once, d->settings(), d->tree(), "");
  EXPECT_EQ(count(twice, "<!-- corvantel menu -->"), 2u);
  EXPECT_NE(twice.find("HM_PG_MenuWidth = 321;"), std::string::npos);
  EXPECT_EQ(twice.find("HM_PG_MenuWidth = 150;"), std::string::npos);
  EXPECT_NE(twice.find("class=\"navbar\""), std::string::npos);
  EXPECT_EQ(twice.substr(0, twice.find("<!-- corvantel menu -->")), once.substr(0, once.find("<!-- corvantel menu -->")));
  EXPECT_EQ(twice.substr(twice.rfind("<!-- /corvantel menu -->")), once.substr(once.rfind("<!-- /corvantel menu -->")));

  EXPECT_THROW(site::pageWithMenu("<html><head></head><p>no body tag</p>", d->settings(), d->tree(), ""), Error);
  EXPECT_THROW(site::pageWithMenu("<body><!-- corvantel menu --><p>", d->settings(), d->tree(), ""), Error);
}

// The menu is written in the page's declared encoding: what the encoding cannot hold as a character
// reference in the page and a \u escape in a script string; the page's CR LF line ends are kept.
TEST(PageInsertion, WritesInThePagesDeclaredEncoding) {
  auto d = siteDocument(document::MenuType::TableMenu);
  d->settings().fontFamily = "\xE2\x82\xAC\xE6\x97\xA5";  // euro sign, a CJK character
  const std::string latin = site::pageWithMenu(
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n</head>\r\n"
      "<body>\r\n\xE4\r\n</body></html>\r\n",
      d->settings(), d->tree(), "");
  EXPECT_NE(latin.find("HM_PG_FontFamily = \"\x80\\u65E5\";"), std::string::npos) << latin;
  EXPECT_NE(latin.find(">\xDC" "ber uns</a>"), std::string::npos);
  EXPECT_NE(latin.find("\r\n\xE4\r\n"), std::string::npos);
  EXPECT_EQ(count(latin, "\n"), count(latin, "\r\n"));

  const std::string japanese = site::pageWithMenu("<html><head><meta charset=Shift_JIS></head><body></body></html>",
                                                  d->settings(), d->tree(), "");
  EXPECT_NE(japanese.find("HM_PG_FontFamily = \"\\u20AC\x93\xFA\";"), std::string::npos) << japanese;
  EXPECT_NE(japanese.find(">&#220;ber uns</a>"), std::string::npos);
}

// On a site folder: a page in a subfolder gets paths up to the site's folder, the support files land in the
// site's folder, a second run changes nothing, and a page that cannot be written stays as it was while the
// others still go.
TEST(PageInsertion, SiteRunWithSubfolderSecondRunAndFailedWrite) {
  TempDir program;
  mkdir(program.file("data").c_str(), 0755);
  writeFile(program.file("data/hierMenus.js"), "// menus\n");
  writeFile(program.file("data/HM_Loader.js"), "// loader\n");
  writeFile(program.file("data/tri.gif"), std::string("GIF89a\0\x01", 8));
  // triL.gif is missing: reported, the run goes on.
  TempDir siteDir;
  const std::string page = "<html><head><title>t</title></head><body>\n<p>x</p>\n</body></html>\n";
  mkdir(siteDir.file("about").c_str(), 0755);
  writeFile(siteDir.file("index.html"), page);
  writeFile(siteDir.file("about/team.html"), page);
  writeFile(siteDir.file("locked.html"), page);
  chmod(siteDir.file("locked.html").c_str(), 0444);
  auto d = siteDocument(document::MenuType::TableMenu);

  const std::vector<std::string> pages = {"index.html", siteDir.file("about/team.html"), "locked.html", "gone.html",
                                          program.file("data/hierMenus.js")};
  site::InsertionReport first = site::insertMenu(*d, siteDir.path(), pages, program.path());
  EXPECT_EQ(first.changed, (std::vector<std::string>{"index.html", "about/team.html"}));
  ASSERT_EQ(first.failed.size(), 3u);
  EXPECT_EQ(first.failed[0].rfind("locked.html: ", 0), 0u) << first.failed[0];
  EXPECT_EQ(readFile(siteDir.file("locked.html")), page);
  EXPECT_EQ(first.notCopied, (std::vector<std::string>{"triL.gif"}));
  EXPECT_EQ(readFile(siteDir.file("hierMenus.js")), "// menus\n");
  EXPECT_NE(readFile(siteDir.file("hierArrays.js")).find("about/team.html"), std::string::npos);

  const std::string top = readFile(siteDir.file("index.html"));
  const std::string sub = readFile(siteDir.file("about/team.html"));
  EXPECT_NE(top.find("SRC=\"HM_Loader.js\""), std::string::npos);
  EXPECT_NE(sub.find("SRC=\"../HM_Loader.js\""), std::string::npos) << sub;
  EXPECT_NE(sub.find("HM_PG_ImageSrc = \"../tri.gif\";"), std::string::npos);
  EXPECT_NE(sub.find("href=\"../about/index.html\""), std::string::npos);
  EXPECT_NE(sub.find("href=\"mailto:a@example.org\""), std::string::npos);

  struct stat before {};
  stat(siteDir.file("about/team.html").c_str(), &before);
  site::InsertionReport second = site::insertMenu(*d, siteDir.path(), {"index.html", "about/team.html"}, program.path());
  EXPECT_TRUE(second.changed.empty());
  EXPECT_EQ(second.unchanged.size(), 2u);
  EXPECT_TRUE(second.supportWritten.empty());
  struct stat after {};
  stat(siteDir.file("about/team.html").c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino) << "an unchanged page is not rewritten";
  EXPECT_EQ(readFile(siteDir.file("about/team.html")), sub);
}
