#pragma once

#include <QTreeView>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/tree/tree_row_drawing.h"

namespace corvantel::document {
class MenuItem;
}

namespace corvantel::gui {

class MenuTreeModel;
class TreeImages;

// Where a dragged item would land: before, after or into the item under the pointer, or at the end of
// the menu (below the last row).
struct DropPlace {
  enum class Kind { None, Before, After, Into, End };
  Kind kind = Kind::None;
  document::MenuItem* target = nullptr;  // null for End and None
  bool operator==(const DropPlace&) const = default;
};

// The item tree of the main window. Read-only captions, whole-row selection kept visible
// when the tree loses the focus, hot tracking, indent 19, items moved by dragging with a drop indicator.
// It reports the events the main window handles: the selection about to change, a click,
// expanding/collapsing, a drop and a context menu request. A list that loses its last item collapses.
class MenuTreeView : public QTreeView {
  Q_OBJECT
 public:
  static constexpr int kIndent = 19;

  explicit MenuTreeView(QWidget* parent = nullptr);

  void setMenuModel(MenuTreeModel* model);
  MenuTreeModel* menuModel() const { return m_model; }

  // The selected item, or nullptr.
  document::MenuItem* selectedItem() const;
  // Selects `item` (nullptr clears the selection).
  void selectItem(const document::MenuItem* item);
  // The item whose row lies under `point` (viewport coordinates), or nullptr.
  document::MenuItem* itemAt(const QPoint& point) const;
  // Where a drop at `point` (viewport coordinates) would put the dragged item: the upper quarter of a
  // row is before its item, the lower quarter after it, the middle into it; below the last row is End.
  DropPlace dropPlaceAt(const QPoint& point) const;
  // Whether the window would make the move of a drop at that place; a refused place shows no indicator
  // and the pointer says the drop is not possible.
  void setDropCheck(std::function<bool(const DropPlace&)> check) { m_dropCheck = std::move(check); }
  // The place the drop indicator shows now (None when no drag is over the tree).
  const DropPlace& shownDropPlace() const { return m_shownDrop; }

  // H of the row drawing: half the side of the plus/minus box and the gap before the caption. The main
  // window sets it at start-up.
  static constexpr int kDefaultButtonHalfSize = 4;
  void setButtonHalfSize(int halfSize);
  int buttonHalfSize() const { return m_buttonHalfSize; }
  // The pictures the rows show (TreeImages::standard() by default).
  void setImages(const TreeImages* images);
  const TreeImages* images() const { return m_images; }

 Q_SIGNALS:
  // The selection is about to move to `item` (by mouse or keyboard).
  void selectionChanging(corvantel::document::MenuItem* item);
  // A click in the tree.
  void treeClicked();
  // An item was expanded or collapsed.
  void expandedOrCollapsed();
  // A drag of the selected item ended with a drop at `point` (viewport coordinates).
  void dragEnded(const QPoint& point);
  // The context menu is wanted at `globalPos` (a right click, the menu key or Shift+F10).
  void contextMenuWanted(const QPoint& globalPos);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // Every row is painted by the tree itself: fill, lines, box, picture and caption.
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  void showDropPlace(const DropPlace& place);
  // The line or frame of the drop indicator for `place`, in viewport coordinates.
  QRect dropIndicatorRect(const DropPlace& place) const;
  void collapseIfEmptied(const QModelIndex& parent);

  MenuTreeModel* m_model = nullptr;
  bool m_pressed = false;
  std::function<bool(const DropPlace&)> m_dropCheck;
  DropPlace m_shownDrop;
  int m_buttonHalfSize = kDefaultButtonHalfSize;
  const TreeImages* m_images = nullptr;
  // Scratch storage of the row painting, reused from row to row.
  mutable std::vector<std::uint8_t> m_ancestorFlags;
  mutable tree::TreeRowGeometry m_rowGeometry;
};

}  // namespace corvantel::gui
