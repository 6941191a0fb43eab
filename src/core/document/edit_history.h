#pragma once

// Reversible edits of a document, and a history of them with undo and redo.
//
// How a window uses this
// ----------------------
// Every change the author makes to the tree or the settings is built as one EditOperation by the make...
// functions below and handed to the history; nothing else edits the document. Either
//   - EditHistory (below): push(), undo(), redo(), setClean() after a save, clear() after New and Open;
//     it keeps Document::isModified() equal to "not at the saved state"; or
//   - a QUndoStack: wrap each operation in a QUndoCommand whose redo() calls apply() and whose undo()
//     calls revert(), with text() from name(); connect cleanChanged(clean) to setModified(!clean), call
//     setClean() after a save and clear() after New and Open.
// A make... function gives nullptr when the edit would change nothing (Set with the same text, a drop
// onto the item's own place, a keyboard move at the end of a list): push nothing then. The first apply()
// is the push itself, as with QUndoStack. Operations never touch the modified flag; the history does.
// After apply() or revert() the window selects selectionAfterApply()/selectionAfterRevert() and refills
// its edit fields from it (null: no current item).
//
// Operations point at the items they change. That stays safe because they are applied and reverted in
// stack order only, so each one finds the tree as it left it; a removed subtree is kept, detached and
// whole, by the operation that removed it, and an added item that an undo took out again is kept by its
// operation, so a redo puts back the very same items that later operations point at. When the document's
// tree is replaced as a whole by New or Open the history must be cleared; a replacement that is to be
// undone (an import) is itself an operation, which keeps the tree not in the document whole.
//
// Removing and restoring a subtree moves one pointer, whatever its size, and replacing the tree moves its
// top-level items; dropping a kept subtree or tree (when the history is cleared or a redo is discarded)
// frees it without recursion, so any depth is safe.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/document.h"
#include "core/document/menu_tree.h"
#include "core/document/project_settings.h"

namespace corvantel::document {

// The names of the operations (English; the window translates them as its other texts).
inline constexpr const char* kEditAddMenu = "Add menu";
inline constexpr const char* kEditAddSubmenu = "Add submenu";
inline constexpr const char* kEditRemove = "Remove";
inline constexpr const char* kEditSet = "Set";
inline constexpr const char* kEditMove = "Move";
inline constexpr const char* kEditSettings = "Project settings";
inline constexpr const char* kEditImportMenu = "Import menu";

class EditOperation {
 public:
  virtual ~EditOperation() = default;
  EditOperation(const EditOperation&) = delete;
  EditOperation& operator=(const EditOperation&) = delete;

  // What the operation does, for "Undo <name>".
  const std::string& name() const { return m_name; }
  // Does the edit (first time and every redo) and takes it back; strictly alternating, apply first.
  virtual void apply() = 0;
  virtual void revert() = 0;
  // The item to make current after apply() / after revert(); may be null.
  virtual MenuItem* selectionAfterApply() const = 0;
  virtual MenuItem* selectionAfterRevert() const = 0;

 protected:
  EditOperation(Document& document, std::string name) : m_document(document), m_name(std::move(name)) {}
  Document& m_document;

 private:
  std::string m_name;
};

using EditOperationPtr = std::unique_ptr<EditOperation>;

// A new item with `text` and picture `imageIndex` as the last child of `parent` (nullptr: top level).
EditOperationPtr makeAddChild(Document& document, MenuItem* parent, std::string text, int imageIndex,
                              std::string name = kEditAddSubmenu);
// A new item directly after `sibling` among its parent's children; nullptr when `sibling` is null.
EditOperationPtr makeAddAfter(Document& document, MenuItem* sibling, std::string text, int imageIndex,
                              std::string name = kEditAddMenu);
// Removes `item` with its subtree; undo puts it back at the same parent and position.
EditOperationPtr makeRemove(Document& document, MenuItem* item);
// Replaces the text ("caption<TAB>address"); nullptr when it is the same.
EditOperationPtr makeSetText(Document& document, MenuItem* item, std::string text);
// The drop: `item` with its subtree before `target`, by MenuTree::moveBefore's rule.
EditOperationPtr makeMoveBefore(Document& document, MenuItem* item, MenuItem* target);
// Keyboard moves. The root item stays first and never moves, and nothing goes before it.
//   up/down:  swaps places with the previous / next sibling;
//   indent:   becomes the last child of its previous sibling;
//   outdent:  leaves its parent and becomes the parent's next sibling.
EditOperationPtr makeMoveUp(Document& document, MenuItem* item);
EditOperationPtr makeMoveDown(Document& document, MenuItem* item);
EditOperationPtr makeIndent(Document& document, MenuItem* item);
EditOperationPtr makeOutdent(Document& document, MenuItem* item);
// Any move to child `row` of `parent`, row counted as MenuTree::moveTo counts it.
EditOperationPtr makeMove(Document& document, MenuItem* item, MenuItem* parent, int row);
// Replaces the project settings (the settings dialog's OK); nullptr when they are the same.
EditOperationPtr makeSetSettings(Document& document, const ProjectSettings& settings);
// Replaces the whole tree by the items of `tree` (which is left empty); undo puts the old tree back. Both
// trees keep their items, so the operations before and after this one find theirs. The selection
// afterwards is the root of the tree then in the document.
EditOperationPtr makeReplaceTree(Document& document, MenuTree&& tree, std::string name = kEditImportMenu);

// An undo stack in the manner of QUndoStack: operations below index() are applied, those from index() on
// can be redone; pushing drops them. The clean index is the index at the last setClean() (a save); once
// the operations that led there are dropped the saved state is unreachable and the history is never
// clean again until the next setClean() or clear(). No limit on the number of steps.
class EditHistory {
 public:
  explicit EditHistory(Document& document) : m_document(document) {}

  // Applies `operation` and makes it the next to undo; a null operation is ignored.
  void push(EditOperationPtr operation);
  bool canUndo() const { return m_index > 0; }
  bool canRedo() const { return m_index < m_operations.size(); }
  // The name of the operation undo() / redo() would take back / do again, empty when there is none.
  std::string undoName() const;
  std::string redoName() const;
  // The operation undo() would revert (the last applied), or null.
  const EditOperation* undoOperation() const { return canUndo() ? m_operations[m_index - 1].get() : nullptr; }
  // Each returns the operation stepped over, or null when there was nothing to do.
  EditOperation* undo();
  EditOperation* redo();

  void setClean();
  bool isClean() const { return m_clean == m_index; }
  // Forgets every operation; the document's present state is the clean one.
  void clear();

  std::size_t count() const { return m_operations.size(); }
  std::size_t index() const { return m_index; }

 private:
  void followClean() { m_document.setModified(!isClean()); }

  Document& m_document;
  std::vector<EditOperationPtr> m_operations;
  std::size_t m_index = 0;
  std::optional<std::size_t> m_clean = 0;  // nothing: the saved state cannot be reached
};

}  // namespace corvantel::document
