// Editing the menu tree in the main window: adding, removing with its questions, Set, the selection
// rules for the current item, drops, and when the document counts as modified.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

using Kind = ScriptedPrompts::Kind;

TEST_F(MainWindowTest, NewWindowHoldsTheRootOnlyAndIsUnmodified) {
  ASSERT_EQ(tree().itemCount(), 1u);
  EXPECT_EQ(root()->text(), "Menu\t");
  EXPECT_FALSE(form->document().isModified());
  EXPECT_EQ(form->currentItem(), nullptr);
}

TEST_F(MainWindowTest, AddMenuAndAddSubmenuAppendEmptyItemsAndMarkModified) {
  clickToolButton(action("addMenuButton"));
  EXPECT_TRUE(form->document().isModified());
  form->addMenu();
  form->addMenu();
  ASSERT_EQ(root()->childCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(root()->child(i)->text(), "\t");
    EXPECT_EQ(root()->child(i)->imageIndex(), -1);
  }
  EXPECT_EQ(view()->selectedItem(), nullptr) << "Add menu selects nothing";

  form->document().setModified(false);
  clickItem(root()->child(1));
  clickToolButton(action("addSubmenuButton"));
  ASSERT_EQ(root()->child(1)->childCount(), 1);
  EXPECT_TRUE(view()->isExpanded(form->treeModel()->indexFromItem(root()->child(1))));
  EXPECT_TRUE(form->document().isModified());

  view()->selectItem(nullptr);
  form->addSubmenu();  // nothing selected: a further top-level item, outside the menu
  EXPECT_EQ(tree().top()->childCount(), 2);
  EXPECT_EQ(tree().root(), root());
}

TEST_F(MainWindowTest, EnterInCaptionWritesCaptionTabAndAddress) {
  form->addMenu();
  document::MenuItem* item = root()->child(0);
  expandAll();
  clickItem(item);
  EXPECT_EQ(form->currentItem(), item);
  form->document().setModified(false);
  QSignalSpy shown(form->treeModel(), &QAbstractItemModel::dataChanged);

  captionEdit()->setFocus();
  QTest::keyClicks(captionEdit(), QStringLiteral("Products"));
  urlEdit()->setText(QStringLiteral("products.html"));
  QTest::keyClick(captionEdit(), Qt::Key_Return);
  EXPECT_EQ(item->text(), "Products\tproducts.html");
  ASSERT_EQ(shown.count(), 1) << "the tree is told that the caption changed";
  EXPECT_EQ(shown.at(0).at(0).toModelIndex(), form->treeModel()->indexFromItem(item));
  EXPECT_TRUE(form->document().isModified()) << "a Set that changes the text is a change";

  // Enter in the address field presses Set as well; text is taken untrimmed.
  urlEdit()->setText(QStringLiteral(" index.html "));
  QTest::keyClick(urlEdit(), Qt::Key_Enter);
  EXPECT_EQ(item->text(), "Products\t index.html ");

  // Clicking the item again shows both parts unchanged.
  captionEdit()->clear();
  urlEdit()->clear();
  clickItem(item);
  EXPECT_EQ(captionEdit()->text(), QStringLiteral("Products"));
  EXPECT_EQ(urlEdit()->text(), QStringLiteral(" index.html "));
}

TEST_F(MainWindowTest, SetWithoutChangeLeavesTheFlagAndSetWithoutCurrentItemDoesNothing) {
  form->applyItemEdits();  // no current item yet
  EXPECT_EQ(root()->text(), "Menu\t");
  clickItem(root());
  setButton()->click();  // fields hold the root's own text
  EXPECT_EQ(root()->text(), "Menu\t");
  EXPECT_FALSE(form->document().isModified());
}

TEST_F(MainWindowTest, TheFieldsFollowTheCurrentItemWhateverMovesIt) {
  form->addMenu();
  form->addMenu();
  document::MenuItem* first = root()->child(0);
  document::MenuItem* second = root()->child(1);
  tree().setText(first, "First\tf.html");
  tree().setText(second, "Second\ts.html");
  expandAll();
  clickItem(first);
  ASSERT_EQ(captionEdit()->text(), QStringLiteral("First"));

  // An arrow key refills the fields, so Set can never write one item's texts into another.
  view()->setFocus();
  QTest::keyClick(view(), Qt::Key_Down);
  EXPECT_EQ(view()->selectedItem(), second);
  EXPECT_EQ(form->currentItem(), second);
  EXPECT_EQ(captionEdit()->text(), QStringLiteral("Second"));
  EXPECT_EQ(urlEdit()->text(), QStringLiteral("s.html"));
  setButton()->click();
  EXPECT_EQ(second->text(), "Second\ts.html");
  QTest::keyClick(view(), Qt::Key_Up);
  EXPECT_EQ(form->currentItem(), first);
  EXPECT_EQ(urlEdit()->text(), QStringLiteral("f.html"));

  // A new project has no current item: the fields are empty.
  prompts.answerYesNoCancel(gui::UserPrompts::Answer::No);
  form->newProject();
  EXPECT_EQ(form->currentItem(), nullptr);
  EXPECT_TRUE(captionEdit()->text().isEmpty());
  EXPECT_TRUE(urlEdit()->text().isEmpty());
}

TEST_F(MainWindowTest, RemoveOnTheRootWarnsAndKeepsTheTree) {
  form->addMenu();
  form->document().setModified(false);
  clickItem(root());
  prompts.expectWarning();
  clickToolButton(action("removeMenuButton"));
  EXPECT_EQ(prompts.texts(Kind::Warning),
            QStringList{QStringLiteral("This item cannot be removed - it is not a part of menu")});
  EXPECT_EQ(tree().itemCount(), 2u);
  EXPECT_FALSE(form->document().isModified());
}

TEST_F(MainWindowTest, RemoveAsksAndCancelKeepsOkDeletesTheSubtree) {
  form->addMenu();
  form->addMenu();
  document::MenuItem* menu = root()->child(0);
  for (int i = 0; i < 5; ++i) tree().append(menu, "sub\t", -1);
  expandAll();
  clickItem(menu);
  form->document().setModified(false);

  prompts.answerOkCancel(false);
  form->removeSelected();
  EXPECT_EQ(tree().itemCount(), 8u);
  EXPECT_FALSE(form->document().isModified());
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, QStringLiteral("Do you want delete this item ?"));
  EXPECT_EQ(prompts.calls()[0].helpContext, 1004);

  prompts.answerOkCancel(true);
  clickToolButton(action("removeMenuButton"));
  EXPECT_EQ(tree().itemCount(), 2u) << "the menu and its five items are gone";
  EXPECT_TRUE(form->document().isModified());
  EXPECT_NE(form->currentItem(), menu);
  EXPECT_TRUE(form->currentItem() == nullptr || document::MenuTree::isInSubtree(form->currentItem(), root()));
}

TEST_F(MainWindowTest, RemoveWithNothingSelectedDoesNothing) {
  form->addMenu();
  view()->selectItem(nullptr);
  form->removeSelected();
  EXPECT_EQ(tree().itemCount(), 2u);
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(MainWindowTest, RemoveOnAnEmptyTreeReachesTheErrorHandler) {
  tree().clear();
  form->document().setModified(false);
  prompts.expectError();
  clickToolButton(action("removeMenuButton"));  // through the application object, like a real click
  EXPECT_EQ(prompts.texts(Kind::Error), QStringList{QStringLiteral("Invalid index.")});
  EXPECT_FALSE(form->document().isModified());
  // The program goes on: the next command works.
  form->addMenu();
  EXPECT_EQ(tree().itemCount(), 1u);
}

// Root "Menu" with A(A1 A2 A3) and B(B1), all expanded.
class DropTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    a = tree().append(root(), "A\t", -1);
    a1 = tree().append(a, "A1\t", -1);
    a2 = tree().append(a, "A2\t", -1);
    a3 = tree().append(a, "A3\t", -1);
    b = tree().append(root(), "B\t", -1);
    b1 = tree().append(b, "B1\t", -1);
    expandAll();
    form->document().setModified(false);
  }
  // Selects `dragged` as a press would and ends the drag over the middle of `target`'s row.
  void drop(document::MenuItem* dragged, const document::MenuItem* target) {
    view()->selectItem(dragged);
    form->dropDraggedItem(rectOf(target).center());
  }
  bool expanded(const document::MenuItem* item) { return view()->isExpanded(form->treeModel()->indexFromItem(item)); }

  document::MenuItem *a, *a1, *a2, *a3, *b, *b1;
};

TEST_F(DropTest, ThirdChildOntoFirstBecomesFirstAndMarksModified) {
  view()->selectItem(a1);  // a1 is the current item
  drop(a3, a1);
  EXPECT_EQ(a->child(0), a3);
  EXPECT_EQ(a->child(1), a1);
  EXPECT_EQ(view()->selectedItem(), a3) << "the moved item stays selected";
  EXPECT_TRUE(form->document().isModified());
}

TEST_F(DropTest, RefusedDropsChangeNothingAndLeaveTheFlag) {
  drop(a, a2);      // onto its own submenu
  drop(a, root());  // onto the root
  drop(a1, a1);     // onto itself
  drop(a1, a2);     // onto its next sibling: it already stands there
  EXPECT_EQ(root()->child(0), a);
  EXPECT_EQ(a->child(0), a1);
  EXPECT_EQ(a->childCount(), 3);
  EXPECT_FALSE(form->document().isModified());

  // Below the last row lies no item: nothing happens.
  view()->selectItem(a1);
  form->dropDraggedItem(QPoint(5, view()->viewport()->height() - 2));
  EXPECT_EQ(a->child(0), a1);
  EXPECT_FALSE(form->document().isModified());
}

TEST_F(DropTest, OntoOwnParentGoesUpOneLevelAndTheEmptiedParentCollapses) {
  drop(b1, b);
  EXPECT_EQ(root()->child(1), b1);
  EXPECT_EQ(root()->child(2), b);
  EXPECT_FALSE(b->hasChildren());
  EXPECT_FALSE(expanded(b));
  EXPECT_TRUE(form->document().isModified());
}

TEST_F(DropTest, ReceivingListIsExpandedAndTheOldOneCollapsesWhenEmptied) {
  drop(a2, b1);
  EXPECT_EQ(b->child(0), a2);
  EXPECT_TRUE(expanded(b));
  EXPECT_TRUE(expanded(a)) << "a still has children";
  drop(a1, b1);
  drop(a3, b1);
  EXPECT_FALSE(a->hasChildren());
  EXPECT_FALSE(expanded(a));
  EXPECT_EQ(b->childCount(), 4);
}

TEST_F(DropTest, MovedItemStaysCurrentAndTheFieldsStay) {
  tree().setText(a3, "Third	t.html");
  clickItem(a3);  // the press that starts a drag selects the item
  ASSERT_EQ(form->currentItem(), a3);
  form->dropDraggedItem(rectOf(a1).center());
  EXPECT_EQ(a->child(0), a3);
  EXPECT_EQ(form->currentItem(), a3);
  EXPECT_EQ(captionEdit()->text(), QStringLiteral("Third"));
  captionEdit()->setText(QStringLiteral("Moved"));
  form->applyItemEdits();
  EXPECT_EQ(a3->text(), "Moved	t.html");
}

}  // namespace
}  // namespace corvantel::test
