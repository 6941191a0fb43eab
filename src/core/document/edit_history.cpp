#include "core/document/edit_history.h"

namespace corvantel::document {

namespace {

// Adds one item; while undone it keeps the item, so that a redo brings back the same item.
class InsertItem final : public EditOperation {
 public:
  InsertItem(Document& document, std::string name, MenuItem* parent, int row, std::string text, int imageIndex)
      : EditOperation(document, std::move(name)),
        m_parent(parent),
        m_row(row),
        m_detached(std::make_unique<MenuItem>(std::move(text), imageIndex)),
        m_item(m_detached.get()) {}

  void apply() override { m_document.tree().insert(m_parent, m_row, std::move(m_detached)); }
  void revert() override { m_detached = m_document.tree().detach(m_item); }
  MenuItem* selectionAfterApply() const override { return m_item; }
  MenuItem* selectionAfterRevert() const override {
    return m_parent && !m_document.tree().isTop(m_parent) ? m_parent : nullptr;
  }

 private:
  MenuItem* m_parent;
  int m_row;
  std::unique_ptr<MenuItem> m_detached;
  MenuItem* m_item;
};

// Removes a subtree and keeps it whole, to put it back at its parent and row.
class RemoveItem final : public EditOperation {
 public:
  RemoveItem(Document& document, MenuItem* item)
      : EditOperation(document, kEditRemove), m_item(item), m_parent(item->parent()), m_row(item->row()) {}

  void apply() override {
    // The item that takes the removed one's place, for the selection: the next sibling, else the
    // previous one, else the parent.
    const int count = m_parent->childCount();
    if (m_row + 1 < count) {
      m_after = m_parent->child(m_row + 1);
    } else if (m_row > 0) {
      m_after = m_parent->child(m_row - 1);
    } else {
      m_after = m_document.tree().isTop(m_parent) ? nullptr : m_parent;
    }
    m_removed = m_document.tree().detach(m_item);
  }
  void revert() override { m_document.tree().insert(m_parent, m_row, std::move(m_removed)); }
  MenuItem* selectionAfterApply() const override { return m_after; }
  MenuItem* selectionAfterRevert() const override { return m_item; }

 private:
  MenuItem* m_item;
  MenuItem* m_parent;
  int m_row;
  MenuItem* m_after = nullptr;
  std::unique_ptr<MenuItem> m_removed;
};

class SetItemText final : public EditOperation {
 public:
  SetItemText(Document& document, MenuItem* item, std::string text)
      : EditOperation(document, kEditSet), m_item(item), m_other(std::move(text)) {}

  // The text not in the item is kept in m_other; each step swaps the two.
  void apply() override { swap(); }
  void revert() override { swap(); }
  MenuItem* selectionAfterApply() const override { return m_item; }
  MenuItem* selectionAfterRevert() const override { return m_item; }

 private:
  void swap() {
    std::string current = m_item->text();
    m_document.tree().setText(m_item, std::move(m_other));
    m_other = std::move(current);
  }

  MenuItem* m_item;
  std::string m_other;
};

class MoveItem final : public EditOperation {
 public:
  MoveItem(Document& document, MenuItem* item, MenuItem* parent, int row)
      : EditOperation(document, kEditMove), m_item(item), m_toParent(parent), m_toRow(row) {}

  void apply() override {
    m_fromParent = m_item->parent();
    m_fromRow = m_item->row();
    m_document.tree().moveTo(m_item, m_toParent, m_toRow);
  }
  void revert() override { m_document.tree().moveTo(m_item, m_fromParent, m_fromRow); }
  MenuItem* selectionAfterApply() const override { return m_item; }
  MenuItem* selectionAfterRevert() const override { return m_item; }

 private:
  MenuItem* m_item;
  MenuItem* m_toParent;
  int m_toRow;
  MenuItem* m_fromParent = nullptr;
  int m_fromRow = 0;
};

class SetSettings final : public EditOperation {
 public:
  SetSettings(Document& document, const ProjectSettings& settings)
      : EditOperation(document, kEditSettings), m_other(settings) {}

  void apply() override { swap(); }
  void revert() override { swap(); }
  MenuItem* selectionAfterApply() const override { return nullptr; }
  MenuItem* selectionAfterRevert() const override { return nullptr; }

 private:
  void swap() {
    ProjectSettings current = m_document.settings();
    m_document.setSettings(m_other, false);
    m_other = std::move(current);
  }

  ProjectSettings m_other;
};

// Swaps the document's tree with the one it keeps: apply and revert are the same step.
class ReplaceTree final : public EditOperation {
 public:
  ReplaceTree(Document& document, std::string name, std::unique_ptr<MenuTree> other)
      : EditOperation(document, std::move(name)), m_other(std::move(other)) {}

  void apply() override { m_document.tree().swapWith(*m_other); }
  void revert() override { m_document.tree().swapWith(*m_other); }
  MenuItem* selectionAfterApply() const override { return m_document.tree().root(); }
  MenuItem* selectionAfterRevert() const override { return m_document.tree().root(); }

 private:
  std::unique_ptr<MenuTree> m_other;  // on the heap: its items point at its top item
};

bool isMovable(const Document& document, const MenuItem* item) {
  return item && item->parent() && item != document.tree().root();
}

// Whether child `row` of `parent` (after the move) would be the first top-level place, the root's.
bool isRootPlace(const Document& document, const MenuItem* parent, int row) {
  return document.tree().isTop(parent) && row == 0;
}

}  // namespace

EditOperationPtr makeAddChild(Document& document, MenuItem* parent, std::string text, int imageIndex,
                              std::string name) {
  if (!parent) parent = document.tree().top();
  return std::make_unique<InsertItem>(document, std::move(name), parent, parent->childCount(), std::move(text),
                                      imageIndex);
}

EditOperationPtr makeAddAfter(Document& document, MenuItem* sibling, std::string text, int imageIndex,
                              std::string name) {
  if (!sibling || !sibling->parent()) return nullptr;
  return std::make_unique<InsertItem>(document, std::move(name), sibling->parent(), sibling->row() + 1, std::move(text),
                                      imageIndex);
}

EditOperationPtr makeRemove(Document& document, MenuItem* item) {
  if (!item || !item->parent()) return nullptr;
  return std::make_unique<RemoveItem>(document, item);
}

EditOperationPtr makeSetText(Document& document, MenuItem* item, std::string text) {
  if (!item || !item->parent() || item->text() == text) return nullptr;
  return std::make_unique<SetItemText>(document, item, std::move(text));
}

EditOperationPtr makeMove(Document& document, MenuItem* item, MenuItem* parent, int row) {
  if (!isMovable(document, item)) return nullptr;
  if (!parent) parent = document.tree().top();
  if (isRootPlace(document, parent, row) || MenuTree::isInSubtree(parent, item)) return nullptr;
  const int limit = parent->childCount() - (item->parent() == parent ? 1 : 0);
  if (row < 0 || row > limit || (item->parent() == parent && row == item->row())) return nullptr;
  return std::make_unique<MoveItem>(document, item, parent, row);
}

EditOperationPtr makeMoveBefore(Document& document, MenuItem* item, MenuItem* target) {
  MenuItem* parent = nullptr;
  int row = 0;
  if (!document.tree().dropDestination(item, target, parent, row)) return nullptr;
  return std::make_unique<MoveItem>(document, item, parent, row);
}

EditOperationPtr makeMoveUp(Document& document, MenuItem* item) {
  if (!isMovable(document, item)) return nullptr;
  return makeMove(document, item, item->parent(), item->row() - 1);
}

EditOperationPtr makeMoveDown(Document& document, MenuItem* item) {
  if (!isMovable(document, item)) return nullptr;
  return makeMove(document, item, item->parent(), item->row() + 1);
}

EditOperationPtr makeIndent(Document& document, MenuItem* item) {
  if (!isMovable(document, item) || item->row() == 0) return nullptr;
  MenuItem* previous = item->parent()->child(item->row() - 1);
  return makeMove(document, item, previous, previous->childCount());
}

EditOperationPtr makeOutdent(Document& document, MenuItem* item) {
  if (!isMovable(document, item)) return nullptr;
  MenuItem* parent = item->parent();
  if (document.tree().isTop(parent)) return nullptr;
  return makeMove(document, item, parent->parent(), parent->row() + 1);
}

EditOperationPtr makeSetSettings(Document& document, const ProjectSettings& settings) {
  if (document.settings() == settings) return nullptr;
  return std::make_unique<SetSettings>(document, settings);
}

EditOperationPtr makeReplaceTree(Document& document, MenuTree&& tree, std::string name) {
  auto kept = std::make_unique<MenuTree>();
  kept->replaceWith(tree);
  return std::make_unique<ReplaceTree>(document, std::move(name), std::move(kept));
}

void EditHistory::push(EditOperationPtr operation) {
  if (!operation) return;
  if (m_clean && *m_clean > m_index) m_clean.reset();  // the saved state lay in the redo part
  // The redo part goes, last first; a kept subtree is freed without recursion.
  while (m_operations.size() > m_index) m_operations.pop_back();
  operation->apply();
  m_operations.push_back(std::move(operation));
  ++m_index;
  followClean();
}

std::string EditHistory::undoName() const { return canUndo() ? m_operations[m_index - 1]->name() : std::string(); }

std::string EditHistory::redoName() const { return canRedo() ? m_operations[m_index]->name() : std::string(); }

EditOperation* EditHistory::undo() {
  if (!canUndo()) return nullptr;
  EditOperation* op = m_operations[--m_index].get();
  op->revert();
  followClean();
  return op;
}

EditOperation* EditHistory::redo() {
  if (!canRedo()) return nullptr;
  EditOperation* op = m_operations[m_index++].get();
  op->apply();
  followClean();
  return op;
}

void EditHistory::setClean() {
  m_clean = m_index;
  followClean();
}

void EditHistory::clear() {
  while (!m_operations.empty()) m_operations.pop_back();
  m_index = 0;
  m_clean = 0;
  followClean();
}

}  // namespace corvantel::document
