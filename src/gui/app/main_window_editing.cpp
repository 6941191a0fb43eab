// The editing commands of the main window: Add menu, Add submenu, Remove, Set, the drop and the keyboard
// moves, each one step of the undo history; Undo and Redo; the tree's keys and context menu; and the
// enabling of the commands that need an item to act on.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

#include "core/document/edit_history.h"
#include "core/error.h"
#include "gui/app/command.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/user_prompts.h"
#include "gui/document/menu_tree_model.h"

namespace corvantel::gui {

namespace {

// One step of the window's history: an edit operation of the core, done by redo() (the push is the
// first) and taken back by undo(). Afterwards the window shows the item the step concerns. The text is
// the operation's English name; the window translates it when it shows it.
class EditCommand final : public QUndoCommand {
 public:
  EditCommand(document::EditOperationPtr operation, std::function<void(document::MenuItem*)> show)
      : m_operation(std::move(operation)), m_show(std::move(show)) {
    setText(QString::fromStdString(m_operation->name()));
  }

  void redo() override {
    m_operation->apply();
    m_show(m_operation->selectionAfterApply());
  }
  void undo() override {
    m_operation->revert();
    m_show(m_operation->selectionAfterRevert());
  }

 private:
  document::EditOperationPtr m_operation;
  std::function<void(document::MenuItem*)> m_show;
};

// Alt+Left never takes an item out of the root: the top level outside the menu is never generated.
document::EditOperationPtr makeOutdentInMenu(document::Document& document, document::MenuItem* item) {
  if (item && item->parent() == document.tree().root()) return nullptr;
  return document::makeOutdent(document, item);
}

// The row for MenuTree::moveTo that puts `item` at child `row` of `parent` as the list stands now.
int rowAfterLeaving(const document::MenuItem* item, const document::MenuItem* parent, int row) {
  return item->parent() == parent && item->row() < row ? row - 1 : row;
}

}  // namespace

void MainWindow::setUpEditing() {
  m_undoStack = new QUndoStack(this);
  m_undoStack->setObjectName(QStringLiteral("undoStack"));
  // The saved state is the stack's clean state; every step to or away from it sets the flag.
  const auto followClean = [this] { m_document.setModified(!m_undoStack->isClean()); };
  connect(m_undoStack, &QUndoStack::indexChanged, this, followClean);
  connect(m_undoStack, &QUndoStack::cleanChanged, this, followClean);
  connect(m_undoStack, &QUndoStack::indexChanged, this, &MainWindow::updateUndoActions);
  m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

  // Insert, Delete and F2 belong to the tree: in the edit fields they keep their usual meaning.
  m_addMenuAction->setShortcut(QKeySequence(Qt::Key_Insert));
  m_removeMenuAction->setShortcut(QKeySequence(Qt::Key_Delete));
  m_editCaptionAction = new QAction(this);
  m_editCaptionAction->setObjectName(QStringLiteral("editCaptionAction"));
  m_editCaptionAction->setShortcut(QKeySequence(Qt::Key_F2));
  connect(m_editCaptionAction, &QAction::triggered, this, commandSlot(this, &MainWindow::editCaption));
  for (QAction* a : {m_addMenuAction, m_removeMenuAction, m_editCaptionAction}) {
    a->setShortcutContext(Qt::WidgetShortcut);
    m_treeView->addAction(a);
  }

  m_treeContextMenu = new QMenu(this);
  m_treeContextMenu->setObjectName(QStringLiteral("treeContextMenu"));
  m_treeContextMenu->addActions({m_addMenuAction, m_addSubmenuAction, m_removeMenuAction});
  m_treeContextMenu->addSeparator();
  m_treeContextMenu->addActions({m_moveUpAction, m_moveDownAction, m_indentAction, m_outdentAction});
  m_treeContextMenu->addSeparator();
  m_treeContextMenu->addActions({m_undoAction, m_redoAction});
  connect(m_treeView, &MenuTreeView::contextMenuWanted, this,
          [this](const QPoint& globalPos) { m_treeContextMenu->popup(globalPos); });

  m_treeView->setDropCheck([this](const DropPlace& place) {
    document::MenuItem* dragged = m_treeView->selectedItem();
    return dragged && dropOperation(dragged, place) != nullptr;
  });

  // The commands follow the selection and every change of the tree.
  connect(m_treeView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::updateCommandStates);
  connect(m_model, &QAbstractItemModel::rowsInserted, this, &MainWindow::updateCommandStates);
  connect(m_model, &QAbstractItemModel::rowsRemoved, this, &MainWindow::updateCommandStates);
  connect(m_model, &QAbstractItemModel::rowsMoved, this, &MainWindow::updateCommandStates);
  connect(m_model, &QAbstractItemModel::modelReset, this, &MainWindow::updateCommandStates);
  updateUndoActions();
  updateCommandStates();
}

void MainWindow::pushEdit(document::EditOperationPtr operation) {
  if (!operation) return;
  m_undoStack->push(new EditCommand(std::move(operation), [this](document::MenuItem* item) { showEditedItem(item); }));
}

void MainWindow::showEditedItem(document::MenuItem* item) {
  if (item) {
    const QModelIndex index = m_model->indexFromItem(item);
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) m_treeView->expand(p);
    m_treeView->selectItem(item);
    m_treeView->scrollTo(index);
    takeCurrentItem(item);
  }
  updateCommandStates();
}

void MainWindow::undo() { m_undoStack->undo(); }
void MainWindow::redo() { m_undoStack->redo(); }

// "Undo Remove", "Redo Set": the step's name in the current language inside the command's text.
void MainWindow::updateUndoActions() const {
  const i18n::Translator::Pass pass(m_translator);
  const auto label = [this](bool can, const QString& step, const char* alone, const char* withStep) {
    if (!can) return translate(alone);
    return translate(withStep).arg(QString::fromStdString(m_translator.Translate(step.toStdString())));
  };
  m_undoAction->setText(label(m_undoStack->canUndo(), m_undoStack->undoText(), "&Undo", "&Undo %1"));
  m_redoAction->setText(label(m_undoStack->canRedo(), m_undoStack->redoText(), "Re&do", "Re&do %1"));
  m_undoAction->setEnabled(m_undoStack->canUndo());
  m_redoAction->setEnabled(m_undoStack->canRedo());
}

void MainWindow::updateCommandStates() {
  document::MenuItem* selected = m_treeView->selectedItem();
  const bool removable = selected && selected != m_document.tree().root();
  m_removeMenuAction->setEnabled(removable);
  if (m_removeMenuButton) m_removeMenuButton->setEnabled(removable);
  // The moves ask the core whether they would change anything: the root stays, list ends stop.
  m_moveUpAction->setEnabled(document::makeMoveUp(m_document, selected) != nullptr);
  m_moveDownAction->setEnabled(document::makeMoveDown(m_document, selected) != nullptr);
  m_indentAction->setEnabled(document::makeIndent(m_document, selected) != nullptr);
  m_outdentAction->setEnabled(makeOutdentInMenu(m_document, selected) != nullptr);
  m_setButton->setEnabled(m_currentItem != nullptr);
}

// ---------------------------------------------------------------------------------------------------------
// The commands

void MainWindow::addMenu() {
  document::MenuTree& tree = m_document.tree();
  document::MenuItem* current = m_treeView->selectedItem();
  document::EditOperationPtr add;
  if (current && current != tree.root()) {
    add = document::makeAddAfter(m_document, current, "\t", -1);
  } else {
    add = document::makeAddChild(m_document, tree.root(), "\t", -1, document::kEditAddMenu);  // empty tree: top level
  }
  pushEdit(std::move(add));
  editCaption();
}

void MainWindow::addSubmenu() {
  document::MenuTree& tree = m_document.tree();
  document::MenuItem* selected = m_treeView->selectedItem();
  pushEdit(document::makeAddChild(m_document, selected ? selected : tree.root(), "\t", -1));
  editCaption();
}

void MainWindow::removeSelected() {
  document::MenuTree& tree = m_document.tree();
  if (tree.empty()) throw Error("Invalid index");
  document::MenuItem* selected = m_treeView->selectedItem();
  if (selected && selected == tree.root()) {
    prompts().warning(this, translate("This item cannot be removed - it is not a part of menu"));
    return;
  }
  if (!selected) return;
  const QString name = QString::fromStdString(document::extractTitle(selected->text()));
  const std::size_t below = MenuTreeModel::descendantCount(selected);
  QString question;
  if (below == 0) {
    question = translate("Do you want to delete \"%1\"?").arg(name);
  } else if (below == 1) {
    question = translate("Do you want to delete \"%1\" and its subitem?").arg(name);
  } else {
    question = translate("Do you want to delete \"%1\" and its %2 subitems?").arg(name, QString::number(below));
  }
  if (!prompts().confirmOkCancel(this, question, 1004)) return;
  pushEdit(document::makeRemove(m_document, selected));
}

void MainWindow::applyItemEdits() {
  if (!m_currentItem) return;
  std::string text = m_captionEdit->text().toStdString() + "\t" + m_urlEdit->text().toStdString();
  pushEdit(document::makeSetText(m_document, m_currentItem, std::move(text)));
}

void MainWindow::moveItemUp() { pushEdit(document::makeMoveUp(m_document, m_treeView->selectedItem())); }
void MainWindow::moveItemDown() { pushEdit(document::makeMoveDown(m_document, m_treeView->selectedItem())); }
void MainWindow::indentItem() { pushEdit(document::makeIndent(m_document, m_treeView->selectedItem())); }
void MainWindow::outdentItem() { pushEdit(makeOutdentInMenu(m_document, m_treeView->selectedItem())); }

void MainWindow::editCaption() {
  if (!m_currentItem) return;
  m_captionEdit->setFocus(Qt::ShortcutFocusReason);
  m_captionEdit->selectAll();
}

// The Caption and URL fields always show the current item, whatever made it current (a click, the arrow
// keys, a drag, Remove, New or Open); with no current item they are empty.
void MainWindow::takeCurrentItem(document::MenuItem* item) {
  m_currentItem = item;
  fillEditFields(item);
  if (m_undoStack) updateCommandStates();
}

void MainWindow::showClickedItem() {
  if (document::MenuItem* selected = m_treeView->selectedItem()) takeCurrentItem(selected);
}

void MainWindow::fillEditFields(const document::MenuItem* item) {
  m_captionEdit->setText(item ? QString::fromStdString(document::extractTitle(item->text())) : QString());
  m_urlEdit->setText(item ? QString::fromStdString(document::extractUrl(item->text())) : QString());
}

void MainWindow::repaintTree() { m_treeView->viewport()->update(); }

void MainWindow::dropDraggedItem(const QPoint& point) {
  document::MenuItem* dragged = m_treeView->selectedItem();
  if (!dragged) return;
  pushEdit(dropOperation(dragged, m_treeView->dropPlaceAt(point)));
}

document::EditOperationPtr MainWindow::dropOperation(document::MenuItem* dragged, const DropPlace& place) {
  document::MenuItem* target = place.target;
  switch (place.kind) {
    case DropPlace::Kind::None:
      return nullptr;
    case DropPlace::Kind::Before:
      // The rule of the tree: before the target, never before the root, never into its own subtree.
      return document::makeMoveBefore(m_document, dragged, target);
    case DropPlace::Kind::Into:
      return document::makeMove(m_document, dragged, target,
                                rowAfterLeaving(dragged, target, target->childCount()));
    case DropPlace::Kind::After: {
      // Below an open list (and below the root) is its first place; below anything else the next one.
      const bool open = target->hasChildren() && m_treeView->isExpanded(m_model->indexFromItem(target));
      if (open || target == m_document.tree().root()) return document::makeMove(m_document, dragged, target, 0);
      document::MenuItem* parent = target->parent();
      return document::makeMove(m_document, dragged, parent, rowAfterLeaving(dragged, parent, target->row() + 1));
    }
    case DropPlace::Kind::End: {
      document::MenuItem* root = m_document.tree().root();
      if (!root) return nullptr;
      return document::makeMove(m_document, dragged, root, rowAfterLeaving(dragged, root, root->childCount()));
    }
  }
  return nullptr;
}

}  // namespace corvantel::gui
