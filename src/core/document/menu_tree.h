#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvantel::document {

// One item of the menu tree: the text "caption<TAB>address", a picture index and the submenu.
class MenuItem {
 public:
  MenuItem() = default;
  explicit MenuItem(std::string text, int imageIndex = -1) : m_text(std::move(text)), m_imageIndex(imageIndex) {}
  ~MenuItem();  // tears the subtree down without recursion, so any depth is safe
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& text() const { return m_text; }
  int imageIndex() const { return m_imageIndex; }
  MenuItem* parent() const { return m_parent; }
  const std::vector<std::unique_ptr<MenuItem>>& children() const { return m_children; }
  bool hasChildren() const { return !m_children.empty(); }
  int childCount() const { return static_cast<int>(m_children.size()); }
  MenuItem* child(int row) const { return m_children[static_cast<std::size_t>(row)].get(); }
  // Position among the parent's children (0-based), -1 for the invisible top.
  int row() const;
  MenuItem* nextSibling() const;

 private:
  friend class MenuTree;
  std::string m_text;
  int m_imageIndex = -1;
  MenuItem* m_parent = nullptr;
  std::vector<std::unique_ptr<MenuItem>> m_children;
};

// The caption: the text before the first tab; a text without a tab has an empty caption.
std::string extractTitle(std::string_view text);
// The address: the text after the first tab; a text without a tab is all address.
std::string extractUrl(std::string_view text);

// Told about every change of a MenuTree, before and after, so that a view can follow.
// `parent` is the tree's invisible top item for top-level rows.
class MenuTreeObserver {
 public:
  virtual ~MenuTreeObserver() = default;
  virtual void aboutToInsert(const MenuItem* parent, int row) = 0;
  virtual void inserted() = 0;
  virtual void aboutToRemove(const MenuItem* parent, int row) = 0;
  virtual void removed() = 0;
  virtual void aboutToMove(const MenuItem* fromParent, int fromRow, const MenuItem* toParent, int toRow) = 0;
  virtual void moved() = 0;
  virtual void textChanged(const MenuItem* item) = 0;
  virtual void aboutToReset() = 0;
  virtual void reset() = 0;
};

// What a drop did: where the moved item came from and where it went.
struct MoveResult {
  bool moved = false;
  MenuItem* oldParent = nullptr;  // the invisible top for a top-level item
  MenuItem* newParent = nullptr;
  bool oldParentEmptied = false;
};

// The menu tree of the document. Its top-level items hang under an invisible top item; the first of them
// is the root item "Menu", whose descendants are the menus that get generated.
class MenuTree {
 public:
  MenuTree();
  ~MenuTree();
  MenuTree(const MenuTree&) = delete;
  MenuTree& operator=(const MenuTree&) = delete;

  void setObserver(MenuTreeObserver* observer) { m_observer = observer; }

  // The invisible item whose children are the top-level items.
  MenuItem* top() { return &m_top; }
  const MenuItem* top() const { return &m_top; }
  bool isTop(const MenuItem* item) const { return item == &m_top; }
  // The first top-level item, or nullptr for an empty tree.
  MenuItem* root() const { return m_top.m_children.empty() ? nullptr : m_top.m_children.front().get(); }
  bool empty() const { return m_top.m_children.empty(); }
  // Items below the top, counted without recursion.
  std::size_t itemCount() const;

  // Appends a new last child of `parent` (nullptr or top() for the top level) and returns it.
  MenuItem* append(MenuItem* parent, std::string text, int imageIndex);
  // Deletes `item` with its subtree.
  void remove(MenuItem* item);
  // Takes `item` with its subtree out of the tree and hands it over; its parent() is null afterwards.
  // Nothing for null or the invisible top.
  std::unique_ptr<MenuItem> detach(MenuItem* item);
  // Puts a detached item with its subtree in as child `row` of `parent` (nullptr or top() for the top
  // level; row clamped to 0..childCount) and returns it. Neither detach nor insert visits the subtree,
  // so both take the same short time for one item and for a hundred thousand.
  MenuItem* insert(MenuItem* parent, int row, std::unique_ptr<MenuItem> item);
  // Moves `item` with its subtree to child `row` of `newParent`, `row` counted after the item has left
  // its old place (so moving an item one place down among its siblings is row() + 1). Refused (returns
  // false) for the top, a row outside 0..childCount, a parent inside the item's own subtree, and a move
  // that would leave the item where it is. The observer hears the rows as they were before the move.
  bool moveTo(MenuItem* item, MenuItem* newParent, int row);
  // Replaces the text; returns whether it differed.
  bool setText(MenuItem* item, std::string text);
  // The drop rule of the tree: `item` with its subtree becomes the previous sibling of `target`. Refused
  // (nothing happens) when target is null, the root, the item itself or inside the item's subtree, and
  // when the item is the root.
  MoveResult moveBefore(MenuItem* item, MenuItem* target);
  // Where moveBefore(item, target) would put the item, as the parent and the row for moveTo; false when
  // it would refuse or leave the order as it is.
  bool dropDestination(const MenuItem* item, const MenuItem* target, MenuItem*& parent, int& row) const;
  // Empties the tree.
  void clear();
  // Takes over every item of `other` (which is left empty), as one reset.
  void replaceWith(MenuTree& other);
  // Exchanges every item with `other`, as one reset of each tree. Only the top-level items are visited.
  void swapWith(MenuTree& other);

  // Depth of an item: 0 for a top-level item.
  static int depth(const MenuItem* item);
  // Whether `item` lies in the subtree of `ancestor` (an item counts as inside its own subtree).
  static bool isInSubtree(const MenuItem* item, const MenuItem* ancestor);

  // Visits every item in depth-first, parent-first order with its depth, without recursion.
  void forEach(const std::function<void(const MenuItem&, int depth)>& visit) const;

 private:
  MenuItem m_top;
  MenuTreeObserver* m_observer = nullptr;
};

}  // namespace corvantel::document
