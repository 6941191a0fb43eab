#pragma once

#include <QTreeView>
#include <cstdint>
#include <vector>

#include "core/tree/tree_row_drawing.h"

namespace corvantel::document {
class MenuItem;
}

namespace corvantel::gui {

class MenuTreeModel;
class TreeImages;

// The item tree of the main window. Read-only captions, whole-row selection kept visible
// when the tree loses the focus, hot tracking, indent 19, items moved by dragging. It reports the events
// the main window handles: the selection about to change, a click, expanding/collapsing and a drop.
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

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // Every row is painted by the tree itself: fill, lines, box, picture and caption.
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  MenuTreeModel* m_model = nullptr;
  bool m_pressed = false;
  int m_buttonHalfSize = kDefaultButtonHalfSize;
  const TreeImages* m_images = nullptr;
  // Scratch storage of the row painting, reused from row to row.
  mutable std::vector<std::uint8_t> m_ancestorFlags;
  mutable tree::TreeRowGeometry m_rowGeometry;
};

}  // namespace corvantel::gui
