#include "core/document/menu_tree.h"

#include <algorithm>

namespace corvantel::document {

MenuItem::~MenuItem() {
  // Children are moved onto an explicit stack and released one at a time, each with no children left,
  // so a chain of any length never nests destructor calls.
  std::vector<std::unique_ptr<MenuItem>> stack = std::move(m_children);
  while (!stack.empty()) {
    std::unique_ptr<MenuItem> item = std::move(stack.back());
    stack.pop_back();
    for (auto& c : item->m_children) stack.push_back(std::move(c));
    item->m_children.clear();
  }
}

int MenuItem::row() const {
  if (!m_parent) return -1;
  const auto& siblings = m_parent->m_children;
  // Items are usually looked up near the end of long lists (just appended) or in short lists.
  for (std::size_t i = siblings.size(); i-- > 0;) {
    if (siblings[i].get() == this) return static_cast<int>(i);
  }
  return -1;
}

MenuItem* MenuItem::nextSibling() const {
  if (!m_parent) return nullptr;
  int r = row();
  return r + 1 < m_parent->childCount() ? m_parent->child(r + 1) : nullptr;
}

std::string extractTitle(std::string_view text) {
  std::size_t tab = text.find('\t');
  return tab == std::string_view::npos ? std::string() : std::string(text.substr(0, tab));
}

std::string extractUrl(std::string_view text) {
  std::size_t tab = text.find('\t');
  return tab == std::string_view::npos ? std::string(text) : std::string(text.substr(tab + 1));
}

MenuTree::MenuTree() = default;
MenuTree::~MenuTree() = default;

std::size_t MenuTree::itemCount() const {
  std::size_t count = 0;
  std::vector<const MenuItem*> stack{&m_top};
  while (!stack.empty()) {
    const MenuItem* item = stack.back();
    stack.pop_back();
    count += item->m_children.size();
    for (const auto& c : item->m_children) stack.push_back(c.get());
  }
  return count;
}

MenuItem* MenuTree::append(MenuItem* parent, std::string text, int imageIndex) {
  if (!parent) parent = &m_top;
  const int row = parent->childCount();
  if (m_observer) m_observer->aboutToInsert(parent, row);
  auto item = std::make_unique<MenuItem>(std::move(text), imageIndex);
  item->m_parent = parent;
  MenuItem* raw = item.get();
  parent->m_children.push_back(std::move(item));
  if (m_observer) m_observer->inserted();
  return raw;
}

void MenuTree::remove(MenuItem* item) {
  // The subtree goes when `owned` does, after the view has been told.
  std::unique_ptr<MenuItem> owned = detach(item);
}

std::unique_ptr<MenuItem> MenuTree::detach(MenuItem* item) {
  if (!item || item == &m_top || !item->m_parent) return nullptr;
  MenuItem* parent = item->m_parent;
  const int row = item->row();
  if (m_observer) m_observer->aboutToRemove(parent, row);
  std::unique_ptr<MenuItem> owned = std::move(parent->m_children[static_cast<std::size_t>(row)]);
  parent->m_children.erase(parent->m_children.begin() + row);
  owned->m_parent = nullptr;
  if (m_observer) m_observer->removed();
  return owned;
}

MenuItem* MenuTree::insert(MenuItem* parent, int row, std::unique_ptr<MenuItem> item) {
  if (!item) return nullptr;
  if (!parent) parent = &m_top;
  row = std::clamp(row, 0, parent->childCount());
  if (m_observer) m_observer->aboutToInsert(parent, row);
  item->m_parent = parent;
  MenuItem* raw = item.get();
  parent->m_children.insert(parent->m_children.begin() + row, std::move(item));
  if (m_observer) m_observer->inserted();
  return raw;
}

bool MenuTree::moveTo(MenuItem* item, MenuItem* newParent, int row) {
  if (!newParent) newParent = &m_top;
  if (!item || item == &m_top || !item->m_parent || isInSubtree(newParent, item)) return false;
  MenuItem* from = item->m_parent;
  const int fromRow = item->row();
  const int limit = newParent->childCount() - (from == newParent ? 1 : 0);
  if (row < 0 || row > limit || (from == newParent && row == fromRow)) return false;
  // The view counts the destination among the rows before the move: below the item's old place in the
  // same list, that is one more.
  const int viewRow = from == newParent && row > fromRow ? row + 1 : row;
  if (m_observer) m_observer->aboutToMove(from, fromRow, newParent, viewRow);
  std::unique_ptr<MenuItem> owned = std::move(from->m_children[static_cast<std::size_t>(fromRow)]);
  from->m_children.erase(from->m_children.begin() + fromRow);
  owned->m_parent = newParent;
  newParent->m_children.insert(newParent->m_children.begin() + row, std::move(owned));
  if (m_observer) m_observer->moved();
  return true;
}

bool MenuTree::setText(MenuItem* item, std::string text) {
  if (!item || item == &m_top || item->m_text == text) return false;
  item->m_text = std::move(text);
  if (m_observer) m_observer->textChanged(item);
  return true;
}

bool MenuTree::dropDestination(const MenuItem* item, const MenuItem* target, MenuItem*& parent, int& row) const {
  if (!item || !target || item == &m_top || target == &m_top || !item->m_parent || !target->m_parent) return false;
  if (target == root() || isInSubtree(target, item)) return false;
  // The root stays the first item: moved before a later top-level item it would hand its place (and the
  // generated menu) to the item before that one.
  if (item == root()) return false;
  MenuItem* from = item->m_parent;
  MenuItem* to = target->m_parent;
  const int fromRow = item->row();
  int toRow = target->row();
  // Already directly before the target: the order stays as it is.
  if (from == to && (toRow == fromRow || toRow == fromRow + 1)) return false;
  if (from == to && fromRow < toRow) --toRow;
  parent = to;
  row = toRow;
  return true;
}

MoveResult MenuTree::moveBefore(MenuItem* item, MenuItem* target) {
  MoveResult result;
  MenuItem* to = nullptr;
  int row = 0;
  if (!dropDestination(item, target, to, row)) return result;
  MenuItem* from = item->m_parent;
  moveTo(item, to, row);
  result.moved = true;
  result.oldParent = from;
  result.newParent = to;
  result.oldParentEmptied = from->m_children.empty();
  return result;
}

void MenuTree::clear() {
  if (m_top.m_children.empty()) return;
  if (m_observer) m_observer->aboutToReset();
  { MenuItem discard; discard.m_children = std::move(m_top.m_children); }
  m_top.m_children.clear();
  if (m_observer) m_observer->reset();
}

void MenuTree::replaceWith(MenuTree& other) {
  if (m_observer) m_observer->aboutToReset();
  { MenuItem discard; discard.m_children = std::move(m_top.m_children); }
  m_top.m_children = std::move(other.m_top.m_children);
  other.m_top.m_children.clear();
  for (auto& c : m_top.m_children) c->m_parent = &m_top;
  if (m_observer) m_observer->reset();
}

void MenuTree::swapWith(MenuTree& other) {
  if (&other == this) return;
  if (m_observer) m_observer->aboutToReset();
  if (other.m_observer) other.m_observer->aboutToReset();
  m_top.m_children.swap(other.m_top.m_children);
  for (auto& c : m_top.m_children) c->m_parent = &m_top;
  for (auto& c : other.m_top.m_children) c->m_parent = &other.m_top;
  if (other.m_observer) other.m_observer->reset();
  if (m_observer) m_observer->reset();
}

int MenuTree::depth(const MenuItem* item) {
  int d = -1;
  for (const MenuItem* p = item ? item->m_parent : nullptr; p; p = p->m_parent) ++d;
  return d;
}

bool MenuTree::isInSubtree(const MenuItem* item, const MenuItem* ancestor) {
  for (const MenuItem* p = item; p; p = p->m_parent) {
    if (p == ancestor) return true;
  }
  return false;
}

void MenuTree::forEach(const std::function<void(const MenuItem&, int depth)>& visit) const {
  struct Frame {
    const MenuItem* item;
    std::size_t next;
  };
  std::vector<Frame> stack{{&m_top, 0}};
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.next == f.item->m_children.size()) {
      stack.pop_back();
      continue;
    }
    const MenuItem* child = f.item->m_children[f.next++].get();
    visit(*child, static_cast<int>(stack.size()) - 1);
    if (!child->m_children.empty()) stack.push_back({child, 0});
  }
}

}  // namespace corvantel::document
