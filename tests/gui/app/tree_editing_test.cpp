// Editing the menu tree in the main window: adding, removing with its questions, Set, the selection
// rules for the current item, drops, and when the document counts as modified.
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QUndoStack>

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
  document::MenuItem* first = root()->child(0);
  // The new item is shown (its parent open), selected and current, ready for its caption.
  EXPECT_TRUE(view()->isExpanded(form->treeModel()->indexFromItem(root())));
  EXPECT_EQ(view()->selectedItem(), first);
  EXPECT_EQ(form->currentItem(), first);
  EXPECT_EQ(form->focusWidget(), captionEdit());
  form->addMenu();
  form->addMenu();
  ASSERT_EQ(root()->childCount(), 3);
  EXPECT_EQ(root()->child(0), first) << "each new item comes after the current one";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(root()->child(i)->text(), "\t");
    EXPECT_EQ(root()->child(i)->imageIndex(), -1);
  }

  form->document().setModified(false);
  clickItem(root()->child(1));
  clickToolButton(action("addSubmenuButton"));
  ASSERT_EQ(root()->child(1)->childCount(), 1);
  EXPECT_TRUE(view()->isExpanded(form->treeModel()->indexFromItem(root()->child(1))));
  EXPECT_TRUE(form->document().isModified());

  view()->selectItem(nullptr);
  form->addSubmenu();  // nothing selected: under the root, never outside the menu
  EXPECT_EQ(tree().top()->childCount(), 1);
  EXPECT_EQ(root()->childCount(), 4);
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

TEST_F(MainWindowTest, ItemCommandsAreEnabledOnlyWhereTheyCanAct) {
  QAction* remove = action("removeMenuAction");
  QAction* up = action("moveUpAction");
  QAction* down = action("moveDownAction");
  QAction* into = action("indentAction");
  QAction* out = action("outdentAction");
  const auto enabled = [&] {
    return std::vector<bool>{remove->isEnabled(), up->isEnabled(), down->isEnabled(), into->isEnabled(),
                             out->isEnabled(), setButton()->isEnabled()};
  };
  using V = std::vector<bool>;
  EXPECT_EQ(enabled(), (V{false, false, false, false, false, false})) << "no current item";
  form->addMenu();
  form->addMenu();
  form->addSubmenu();
  document::MenuItem* second = root()->child(1);
  //                      remove up     down   into   out    set
  EXPECT_EQ(enabled(), (V{true, false, false, false, true, true})) << "the only child of the second menu";
  clickItem(second);
  EXPECT_EQ(enabled(), (V{true, true, false, true, false, true})) << "the last menu: nothing below, not out of the root";
  clickItem(root()->child(0));
  EXPECT_EQ(enabled(), (V{true, false, true, false, false, true})) << "the first menu";
  clickItem(root());
  EXPECT_EQ(enabled(), (V{false, false, false, false, false, true})) << "the root stays where it is";
  EXPECT_FALSE(toolBar()->widgetForAction(action("removeMenuButton"))->isEnabled());

  // Called directly, Remove still refuses the root with its warning, and an empty tree with its error.
  prompts.expectWarning();
  form->removeSelected();
  EXPECT_EQ(prompts.texts(Kind::Warning),
            QStringList{QStringLiteral("This item cannot be removed - it is not a part of menu")});
  EXPECT_EQ(tree().itemCount(), 4u);
  form->undoStack()->clear();
  tree().clear();
  EXPECT_EQ(enabled(), (V{false, false, false, false, false, false})) << "empty tree";
  EXPECT_THROW(form->removeSelected(), std::exception);
}

TEST_F(MainWindowTest, RemoveAsksNamingTheItemAndUndoPutsTheSubtreeBack) {
  form->addMenu();
  form->addMenu();
  document::MenuItem* menu = root()->child(0);
  tree().setText(menu, "Products\tp.html");
  for (int i = 0; i < 5; ++i) tree().append(menu, "sub\t", -1);
  document::MenuItem* deep = tree().append(menu->child(4), "deep\t", -1);
  expandAll();
  clickItem(menu);
  form->undoStack()->clear();
  form->document().setModified(false);
  QAction* undo = action("undoAction");
  QAction* redo = action("redoAction");
  EXPECT_FALSE(undo->isEnabled());

  prompts.answerOkCancel(false);
  form->removeSelected();
  EXPECT_EQ(tree().itemCount(), 9u);
  EXPECT_FALSE(form->document().isModified());
  ASSERT_EQ(prompts.calls().size(), 1u);
  EXPECT_EQ(prompts.calls()[0].text, QStringLiteral("Do you want to delete \"Products\" and its 6 subitems?"));
  EXPECT_EQ(prompts.calls()[0].helpContext, 1004);

  view()->setFocus();
  prompts.answerOkCancel(true);
  QTest::keyClick(view(), Qt::Key_Delete);
  EXPECT_EQ(tree().itemCount(), 2u) << "the menu and its six items are gone";
  EXPECT_TRUE(form->document().isModified());
  EXPECT_NE(form->currentItem(), menu);
  EXPECT_EQ(undo->text(), QStringLiteral("&Undo Remove"));

  // Ctrl+Z: the whole subtree back at its place, selected, the fields showing it; undone to the saved
  // state, the project is unmodified again.
  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(root()->childCount(), 2);
  EXPECT_EQ(root()->child(0), menu);
  EXPECT_EQ(menu->childCount(), 5);
  EXPECT_EQ(menu->child(4)->child(0), deep);
  EXPECT_EQ(view()->selectedItem(), menu);
  EXPECT_EQ(captionEdit()->text(), QStringLiteral("Products"));
  EXPECT_EQ(urlEdit()->text(), QStringLiteral("p.html"));
  EXPECT_FALSE(form->document().isModified());
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(redo->text(), QStringLiteral("Re&do Remove"));

  // Ctrl+Y and Ctrl+Shift+Z both redo.
  QTest::keyClick(view(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(tree().itemCount(), 2u);
  EXPECT_TRUE(form->document().isModified());
  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tree().itemCount(), 9u);
  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(tree().itemCount(), 2u);

  // The step's name follows the language.
  form->translator().setLanguageFile(std::string(CORVANTEL_SOURCE_DIR) + "/Language/german.lng");
  form->translateWindows();
  EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig: Entfernen"));
}

TEST_F(MainWindowTest, TreeKeysAddEditAndMoveEachAsOneUndoStep) {
  document::MenuItem* a = tree().append(root(), "A\ta.html", -1);
  document::MenuItem* b = tree().append(root(), "B\tb.html", -1);
  expandAll();
  clickItem(a);
  view()->setFocus();

  // F2: into Caption with its text selected.
  QTest::keyClick(view(), Qt::Key_F2);
  EXPECT_EQ(form->focusWidget(), captionEdit());
  EXPECT_EQ(captionEdit()->selectedText(), QStringLiteral("A"));

  // Insert: a new item after the current one.
  view()->setFocus();
  QTest::keyClick(view(), Qt::Key_Insert);
  ASSERT_EQ(root()->childCount(), 3);
  document::MenuItem* added = root()->child(1);
  EXPECT_EQ(view()->selectedItem(), added);
  EXPECT_EQ(root()->child(2), b);

  // The moves, each one step that sets the modified mark.
  view()->setFocus();
  form->document().setModified(false);
  QTest::keyClick(view(), Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(root()->child(0), added);
  EXPECT_TRUE(form->document().isModified());
  const int afterUp = form->undoStack()->index();
  QTest::keyClick(view(), Qt::Key_Up, Qt::AltModifier);  // first already: nothing, no step
  EXPECT_EQ(root()->child(0), added);
  EXPECT_EQ(form->undoStack()->index(), afterUp);
  QTest::keyClick(view(), Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(root()->child(1), added);
  clickItem(b);
  view()->setFocus();
  QTest::keyClick(view(), Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(b->parent(), added) << "the last child of the item above";
  EXPECT_EQ(view()->selectedItem(), b);
  EXPECT_TRUE(view()->isExpanded(form->treeModel()->indexFromItem(added)));
  QTest::keyClick(view(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(b->parent(), root());
  EXPECT_EQ(root()->child(2), b);

  // Undo walks back one move at a time: out, in, down.
  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(b->parent(), added);
  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(root()->child(0), added);
  EXPECT_EQ(b->parent(), root());

  // Delete asks about the current item; a right click opens the menu of the item commands.
  clickItem(a);
  prompts.answerOkCancel(false);
  view()->setFocus();
  QTest::keyClick(view(), Qt::Key_Delete);
  EXPECT_EQ(prompts.texts(Kind::OkCancel), QStringList{QStringLiteral("Do you want to delete \"A\"?")});
  QMenu* context = menu("treeContextMenu");
  const QPoint at = rectOf(b).center();
  QTest::mousePress(view()->viewport(), Qt::RightButton, {}, at);
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, view()->viewport()->mapToGlobal(at));
  if (!context->isVisible()) QApplication::sendEvent(view()->viewport(), &request);
  ASSERT_TRUE(waitFor([&] { return context->isVisible(); }));
  EXPECT_EQ(view()->selectedItem(), b);
  EXPECT_TRUE(context->actions().contains(action("removeMenuAction")));
  EXPECT_TRUE(context->actions().contains(action("indentAction")));
  context->close();
}

TEST_F(MainWindowTest, RemoveWithNothingSelectedDoesNothing) {
  form->addMenu();
  view()->selectItem(nullptr);
  form->removeSelected();
  EXPECT_EQ(tree().itemCount(), 2u);
  EXPECT_TRUE(prompts.calls().empty());
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
  // Selects `dragged` as a press would and ends the drag over the upper quarter of `target`'s row
  // (before it), its middle (into it) or its lower quarter (after it).
  enum class At { Before, Into, After };
  void drop(document::MenuItem* dragged, const document::MenuItem* target, At at = At::Before) {
    view()->selectItem(dragged);
    const QRect row = rectOf(target);
    const int y = at == At::Before ? row.top() + 1 : at == At::Into ? row.center().y() : row.bottom() - 1;
    form->dropDraggedItem(QPoint(row.center().x(), y));
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

  drop(a1, a1, At::Into);  // into itself
  drop(a, a1, At::After);  // into its own submenu
  EXPECT_EQ(a->child(0), a1);
  EXPECT_FALSE(form->document().isModified());
}

TEST_F(DropTest, IntoAnItemAfterTheLastOfAListAndBelowTheRowsEachOneUndoStep) {
  drop(b1, a2, At::Into);
  EXPECT_EQ(b1->parent(), a2) << "an item without children takes the dropped one as its child";
  EXPECT_TRUE(expanded(a2));
  EXPECT_FALSE(expanded(b)) << "b lost its only child";
  EXPECT_TRUE(form->document().isModified());
  drop(a1, a3, At::After);
  EXPECT_EQ(a->child(a->childCount() - 1), a1) << "after the last item of the list";
  view()->selectItem(a2);
  form->dropDraggedItem(QPoint(5, view()->viewport()->height() - 2));  // below the last row
  EXPECT_EQ(root()->child(root()->childCount() - 1), a2) << "the end of the menu";
  EXPECT_EQ(a2->child(0), b1);

  form->undo();
  EXPECT_EQ(a->child(0), a2);
  form->undo();
  EXPECT_EQ(a->child(0), a1);
  form->undo();
  EXPECT_EQ(b->child(0), b1);
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
  form->dropDraggedItem(QPoint(rectOf(a1).center().x(), rectOf(a1).top() + 1));
  EXPECT_EQ(a->child(0), a3);
  EXPECT_EQ(form->currentItem(), a3);
  EXPECT_EQ(captionEdit()->text(), QStringLiteral("Third"));
  captionEdit()->setText(QStringLiteral("Moved"));
  form->applyItemEdits();
  EXPECT_EQ(a3->text(), "Moved	t.html");
}

}  // namespace
}  // namespace corvantel::test
