// The link check against a small site folder: which addresses are looked at, how they are resolved, and
// which are reported broken.
#include "core/site/link_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/document/menu_tree.h"
#include "core/error.h"
#include "support/core/temp_dir.h"

namespace corvantel::site {
namespace {

// A site folder: index.html, docs/guide.html, docs/a b.html, images/ (a folder); "outside.html" lies
// next to the site folder, not in it.
class LinkCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(m_dir.file("site/docs"));
    std::filesystem::create_directories(m_dir.file("site/images"));
    test::writeFile(m_dir.file("site/index.html"), "x");
    test::writeFile(m_dir.file("site/docs/guide.html"), "x");
    test::writeFile(m_dir.file("site/docs/a b.html"), "x");
    test::writeFile(m_dir.file("outside.html"), "x");
  }

  // Address -> problem of every item reported broken, for a tree with one item per address.
  std::map<std::string, LinkProblem> brokenOf(const std::vector<std::string>& addresses) {
    document::MenuTree tree;
    document::MenuItem* root = tree.append(nullptr, "Menu\t", 0);
    for (const std::string& address : addresses) tree.append(root, "Item\t" + address, -1);
    std::map<std::string, LinkProblem> out;
    for (const BrokenLink& link : checkLinks(tree, m_dir.file("site"))) {
      EXPECT_EQ(document::extractUrl(link.item->text()), link.address);
      EXPECT_EQ(link.captionPath, "Menu > Item");
      out[link.address] = link.problem;
    }
    return out;
  }

  test::TempDir m_dir;
};

TEST_F(LinkCheckTest, FindsFilesAndFoldersAndReportsTheRest) {
  const std::map<std::string, LinkProblem> broken = brokenOf({
      // found
      "index.html", "./index.html", "/docs/guide.html", "docs/", "images", "docs/../index.html",
      "docs/guide.html#part", "docs/guide.html?x=1#y", "  index.html  ", "docs/a%20b.html", "docs%2Fguide.html",
      "?only=query", "docs\\guide.html",
      // not looked at
      "", "#top", "mailto:someone@example.org", "http://example.org/missing.html", "https://x/y",
      "javascript:void(0)", "tel:+123", "//example.org/missing.html", "HTTP://example.org/",
      // broken
      "missing.html", "Index.html", "docs/missing.html#part", "index.html/", "nofolder/guide.html",
      "../outside.html", "docs/../../outside.html", "/../outside.html", "docs/a b%2.html", "%2E%2E/outside.html",
  });
  // "docs%2Fguide.html" decodes within its one segment: a name with a slash, which no file has.
  const std::map<std::string, LinkProblem> expected = {
      {"docs%2Fguide.html", LinkProblem::Missing},
      {"missing.html", LinkProblem::Missing},
      {"Index.html", LinkProblem::Missing},
      {"docs/missing.html#part", LinkProblem::Missing},
      {"index.html/", LinkProblem::Missing},
      {"nofolder/guide.html", LinkProblem::Missing},
      {"../outside.html", LinkProblem::OutsideSite},
      {"docs/../../outside.html", LinkProblem::OutsideSite},
      {"/../outside.html", LinkProblem::OutsideSite},
      {"docs/a b%2.html", LinkProblem::Missing},
      {"%2E%2E/outside.html", LinkProblem::OutsideSite},
  };
  EXPECT_EQ(broken, expected);
}

TEST_F(LinkCheckTest, WalksADeepTreeAndRefusesAMissingSiteFolder) {
  document::MenuTree tree;
  document::MenuItem* item = tree.append(nullptr, "Menu\t", 0);
  for (int i = 0; i < 100000; ++i) item = tree.append(item, "Item\tindex.html", -1);
  tree.append(item, "Last\tgone.html", -1);
  const std::vector<BrokenLink> broken = checkLinks(tree, m_dir.file("site"));
  ASSERT_EQ(broken.size(), 1u);
  EXPECT_EQ(broken[0].address, "gone.html");
  EXPECT_EQ(broken[0].captionPath.substr(0, 12), "Menu > Item ");
  EXPECT_EQ(broken[0].captionPath.size(), std::string("Menu").size() + 100000 * std::string(" > Item").size() +
                                              std::string(" > Last").size());

  EXPECT_THROW(checkLinks(tree, m_dir.file("no-site")), Error);
  EXPECT_THROW(checkLinks(tree, m_dir.file("outside.html")), Error);
}

}  // namespace
}  // namespace corvantel::site
