#pragma once

#include <QTreeView>

namespace corvantel {
class MenuItem;
}

namespace corvantel::gui {

class MenuTreeModel;

// TreeView1: the item tree of the main window. Read-only captions, whole-row selection kept visible
// when the tree loses the focus, hot tracking, indent 19, items moved by dragging. It reports the events
// the main window handles: the selection about to change, a click, expanding/collapsing and a drop.
class TMenuTreeView : public QTreeView {
  Q_OBJECT
 public:
  static constexpr int kIndent = 19;

  explicit TMenuTreeView(QWidget* parent = nullptr);

  void setMenuModel(MenuTreeModel* model);
  MenuTreeModel* menuModel() const { return m_model; }

  // The selected item, or nullptr.
  MenuItem* selectedItem() const;
  // Selects `item` (nullptr clears the selection).
  void selectItem(const MenuItem* item);
  // The item whose row lies under `point` (viewport coordinates), or nullptr.
  MenuItem* itemAt(const QPoint& point) const;

 Q_SIGNALS:
  // The selection is about to move to `item` (by mouse or keyboard).
  void selectionChanging(corvantel::MenuItem* item);
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

 private:
  MenuTreeModel* m_model = nullptr;
  bool m_pressed = false;
};

}  // namespace corvantel::gui
