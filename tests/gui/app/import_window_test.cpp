// Import menu from page in the window: the save question, the tree replaced as one step of the history
// that undo and redo follow, the message of what came, and a refused page that changes nothing.
#include <QLineEdit>
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
  EXPECT_EQ(told[0], QStringLiteral("Imported 4 menu items from club.html. Skipped: 1 link outside the lists or "
                                    "beside the first link of an entry."));

  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(captions(tree()), before);
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

}  // namespace
}  // namespace corvantel::test
