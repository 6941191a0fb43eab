// Import menu from page in the window: the save question, the tree replaced as one step of the history
// that undo and redo follow, the message of what came, and a refused page that changes nothing; then the
// whole way from a site's own navigation to the menu in its pages.
#include <QDialog>
#include <QLineEdit>
#include <QTreeWidget>
#include <filesystem>
#include <QUndoStack>

#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

using Kind = ScriptedPrompts::Kind;

std::string captions(const document::MenuTree& tree) {
  std::string out;
  tree.forEach([&out](const document::MenuItem& item, int depth) {
    out += std::string(static_cast<std::size_t>(depth), ' ') + document::extractTitle(item.text()) + "|" +
           document::extractUrl(item.text()) + "\n";
  });
  return out;
}

TEST_F(MainWindowTest, ImportReplacesTheTreeAsOneUndoStepAndSaysWhatItTook) {
  writeFile(
      dir.file("club.html"),
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Club</title></head><body>\n"
      "<nav><ul>\n"
      "  <li><a href=\"index.html\">Home</a></li>\n"
      "  <li><a href=\"about/\">About</a>\n"
      "    <ul><li><a href=\"about/team.html\">Team</a></li><li><a href=\"about/history.html\">History</a></li></ul>\n"
      "  </li>\n"
      "</ul><a href=\"login.html\">Log in</a></nav>\n"
      "<p>Welcome</p></body></html>\n");
  writeFile(dir.file("plain.html"), "<html><body><p>No menu on this page.</p></body></html>");

  // A modified document: one item added and named through the window.
  form->addSubmenu();
  captionEdit()->setText(QStringLiteral("Old"));
  form->applyItemEdits();
  const std::string before = captions(tree());
  ASSERT_EQ(before, "Menu|\n Old|\n");
  ASSERT_TRUE(form->document().isModified());
  QUndoStack* history = form->undoStack();
  const int stepsBefore = history->count();

  prompts.answerYesNoCancel(gui::UserPrompts::Answer::No)
      .answerOpenFile(QString::fromStdString(dir.file("club.html")))
      .expectInformation();
  action("importMenuAction")->trigger();
  prompts.verifyAllUsed();
  const std::string imported = captions(tree());
  EXPECT_EQ(imported, "Menu|\n Home|index.html\n About|about/\n  Team|about/team.html\n  History|about/history.html\n");
  EXPECT_EQ(history->count(), stepsBefore + 1);
  EXPECT_EQ(action("undoAction")->text(), QStringLiteral("&Undo Import menu"));
  EXPECT_TRUE(form->document().isModified());
  EXPECT_EQ(form->currentItem(), root());
  EXPECT_TRUE(view()->isExpanded(form->treeModel()->indexFromItem(root())));
  const QStringList told = prompts.texts(Kind::Information);
  ASSERT_EQ(told.size(), 1);
  // The project had no site folder: the page's folder becomes it, in the same step.
  EXPECT_EQ(form->document().settings().siteFolder, dir.path());
  EXPECT_EQ(told[0], QStringLiteral("Imported 4 menu items from club.html. Skipped: 1 link outside the lists or "
                                    "beside the first link of an entry. The site folder of the project is now ") +
                         QString::fromStdString(dir.path()) + u'.');

  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(captions(tree()), before);
  EXPECT_EQ(form->document().settings().siteFolder, "");
  EXPECT_EQ(captionEdit()->text(), QStringLiteral("Menu")) << "the edit fields follow the tree in the window";
  form->undo();  // the step before the import finds its item again
  EXPECT_EQ(captions(tree()), "Menu|\n |\n");
  form->redo();
  form->redo();
  EXPECT_EQ(captions(tree()), imported);

  // A page without a navigation: the error box, and the tree and its history as they were.
  prompts.answerYesNoCancel(gui::UserPrompts::Answer::No)
      .answerOpenFile(QString::fromStdString(dir.file("plain.html")))
      .expectError();
  action("importMenuAction")->trigger();
  prompts.verifyAllUsed();
  EXPECT_EQ(captions(tree()), imported);
  EXPECT_EQ(history->count(), stepsBefore + 1);
  EXPECT_EQ(history->index(), stepsBefore + 1);
}

// The author's way through a small site in the window: the site folder set, its navigation imported,
// the broken link found and mended, and the menu put into a page of a subfolder, once.
TEST_F(MainWindowTest, ASiteFromImportToTheMenuInItsPages) {
  std::filesystem::create_directories(dir.file("site/guide"));
  writeFile(dir.file("site/index.html"),
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Home</title></head><body>\n"
            "<nav><ul><li><a href=\"index.html\">Home</a></li><li><a href=\"guide/index.html\">Guide</a>\n"
            "<ul><li><a href=\"guide/install.html\">Install</a></li></ul></li></ul></nav></body></html>\n");
  writeFile(dir.file("site/guide/index.html"), "<html><head><title>Guide</title></head><body><p>Guide</p></body></html>\n");
  const std::string page = "<html><head><title>Install</title></head>\n<body>\n<p>Install</p>\n</body></html>\n";
  std::filesystem::create_directories(dir.file("data"));
  for (const char* name : {"data/hierMenus.js", "data/HM_Loader.js", "data/tri.gif", "data/triL.gif"}) {
    writeFile(dir.file(name), "// support\n");
  }

  prompts.answerDialog(QDialog::Accepted, [this](QDialog* dialog) {
    child<QLineEdit>(dialog, "siteFolderEdit")->setText(QString::fromStdString(dir.file("site")));
  });
  form->editProjectSettings();
  prompts.answerYesNoCancel(gui::UserPrompts::Answer::No)
      .answerOpenFile(QString::fromStdString(dir.file("site/index.html")))
      .expectInformation();
  action("importMenuAction")->trigger();
  prompts.verifyAllUsed();
  ASSERT_EQ(captions(tree()), "Menu|\n Home|index.html\n Guide|guide/index.html\n  Install|guide/install.html\n");

  action("checkLinksAction")->trigger();
  auto* report = child<QTreeWidget>(form.get(), "linkList");
  ASSERT_EQ(report->topLevelItemCount(), 1);
  EXPECT_EQ(report->topLevelItem(0)->text(0), QStringLiteral("Menu > Guide > Install"));
  writeFile(dir.file("site/guide/install.html"), page);
  action("checkLinksAction")->trigger();
  ASSERT_EQ(report->topLevelItemCount(), 1);
  EXPECT_EQ(report->topLevelItem(0)->text(0), QStringLiteral("All links found"));

  prompts.answerOpenFile(QString::fromStdString(dir.file("site/guide/install.html"))).answerOkCancel(true);
  action("insertMenuAction")->trigger();
  prompts.verifyAllUsed();
  ASSERT_EQ(prompts.texts(Kind::OkCancel).size(), 1);
  EXPECT_TRUE(prompts.texts(Kind::OkCancel)[0].contains(QStringLiteral("guide/install.html")));
  const std::string inserted = readFile(dir.file("site/guide/install.html"));
  EXPECT_NE(inserted.find("<!-- corvantel menu -->"), std::string::npos);
  EXPECT_NE(inserted.find("SRC=\"../HM_Loader.js\""), std::string::npos) << "paths from the page's own folder";
  EXPECT_EQ(readFile(dir.file("site/hierMenus.js")), "// support\n");

  // Nothing changed since: the second run says so and writes nothing.
  prompts.answerOpenFile(QString::fromStdString(dir.file("site/guide/install.html"))).expectWarning();
  action("insertMenuAction")->trigger();
  prompts.verifyAllUsed();
  EXPECT_EQ(prompts.texts(Kind::Warning).back(), QStringLiteral("None of the chosen pages changes."));
  EXPECT_EQ(readFile(dir.file("site/guide/install.html")), inserted);
}

}  // namespace
}  // namespace corvantel::test
