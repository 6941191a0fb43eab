#include "gui/app/menu_tree_view.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>

#include "gui/document/menu_tree_model.h"

namespace corvantel::gui {

TMenuTreeView::TMenuTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("TreeView1"));
  setHeaderHidden(true);
  setIndentation(kIndent);
  setRootIsDecorated(true);
  setUniformRowHeights(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setMouseTracking(true);  // hot tracking
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
  setProperty("helpContext", 1000);
  connect(this, &QTreeView::expanded, this, [this] { Q_EMIT expandedOrCollapsed(); });
  connect(this, &QTreeView::collapsed, this, [this] { Q_EMIT expandedOrCollapsed(); });
}

void TMenuTreeView::setMenuModel(MenuTreeModel* model) {
  m_model = model;
  setModel(model);
}

MenuItem* TMenuTreeView::selectedItem() const {
  if (!m_model || !selectionModel()) return nullptr;
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : m_model->itemFromIndex(rows.constFirst());
}

void TMenuTreeView::selectItem(const MenuItem* item) {
  if (!m_model) return;
  QModelIndex index = m_model->indexFromItem(item);
  if (!index.isValid()) {
    selectionModel()->clearSelection();
    return;
  }
  setCurrentIndex(index);
  selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

MenuItem* TMenuTreeView::itemAt(const QPoint& point) const {
  return m_model ? m_model->itemFromIndex(indexAt(point)) : nullptr;
}

void TMenuTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (m_model && current.isValid() && current != previous) {
    Q_EMIT selectionChanging(m_model->itemFromIndex(current));
  }
}

void TMenuTreeView::mousePressEvent(QMouseEvent* event) {
  m_pressed = true;
  QTreeView::mousePressEvent(event);
}

void TMenuTreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  if (m_pressed && event->button() == Qt::LeftButton) {
    m_pressed = false;
    Q_EMIT treeClicked();
  }
}

void TMenuTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this) {
    event->acceptProposedAction();
  } else {
    QTreeView::dragEnterEvent(event);
  }
}

void TMenuTreeView::dragMoveEvent(QDragMoveEvent* event) {
  // While an item is dragged over the tree, the tree accepts it everywhere.
  if (event->source() == this) {
    event->acceptProposedAction();
  } else {
    QTreeView::dragMoveEvent(event);
  }
}

void TMenuTreeView::dropEvent(QDropEvent* event) {
  if (event->source() != this) {
    QTreeView::dropEvent(event);
    return;
  }
  m_pressed = false;
  // The move is the tree's own; the drag must not remove anything when it returns.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  Q_EMIT dragEnded(event->position().toPoint());
}

}  // namespace corvantel::gui
