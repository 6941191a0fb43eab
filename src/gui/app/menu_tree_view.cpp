#include "gui/app/menu_tree_view.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "gui/app/tree_images.h"
#include "gui/app/tree_row_painter.h"
#include "gui/document/menu_tree_model.h"

namespace corvantel::gui {

namespace {

// Gives every row the height of the tree's own row painting.
class TreeRowHeightDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(treeRowHeight(option.font));
    return size;
  }
};

bool hasNextSibling(const document::MenuItem* item) {
  const document::MenuItem* parent = item->parent();
  return parent && parent->children().back().get() != item;
}

}  // namespace

MenuTreeView::MenuTreeView(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("treeView"));
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
  setItemDelegate(new TreeRowHeightDelegate(this));
  connect(this, &QTreeView::expanded, this, [this] { Q_EMIT expandedOrCollapsed(); });
  connect(this, &QTreeView::collapsed, this, [this] { Q_EMIT expandedOrCollapsed(); });
}

void MenuTreeView::setMenuModel(MenuTreeModel* model) {
  m_model = model;
  setModel(model);
}

document::MenuItem* MenuTreeView::selectedItem() const {
  if (!m_model || !selectionModel()) return nullptr;
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : m_model->itemFromIndex(rows.constFirst());
}

void MenuTreeView::selectItem(const document::MenuItem* item) {
  if (!m_model) return;
  QModelIndex index = m_model->indexFromItem(item);
  if (!index.isValid()) {
    selectionModel()->clearSelection();
    return;
  }
  setCurrentIndex(index);
  selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MenuTreeView::setButtonHalfSize(int halfSize) {
  halfSize = std::clamp(halfSize, 0, kIndent);
  if (halfSize == m_buttonHalfSize) return;
  m_buttonHalfSize = halfSize;
  viewport()->update();
}

void MenuTreeView::setImages(const TreeImages* images) {
  m_images = images;
  viewport()->update();
}

void MenuTreeView::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {
  // The lines and boxes are part of the row painting; the style draws no branch indicators.
}

void MenuTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const document::MenuItem* item = m_model ? m_model->itemFromIndex(index) : nullptr;
  if (!item) return;
  // Level and ancestor lines in one walk up: each ancestor costs one step.
  m_ancestorFlags.clear();
  const document::MenuItem* top = m_model->tree().top();
  for (const document::MenuItem* p = item->parent(); p && p != top; p = p->parent()) {
    m_ancestorFlags.push_back(hasNextSibling(p) ? 1 : 0);
  }

  TreeRowPaintState state;
  const int left = columnViewportPosition(0);
  const int width = viewport()->width();
  state.rowRect = QRect(left, option.rect.y(), std::max(width - left, 1), option.rect.height());
  state.fillRect = QRect(0, option.rect.y(), width, option.rect.height());
  state.level = static_cast<int>(m_ancestorFlags.size());
  state.indent = indentation();
  state.buttonHalfSize = m_buttonHalfSize;
  state.hasChildren = item->hasChildren();
  state.expanded = state.hasChildren && isExpanded(index);
  state.hasNextSibling = hasNextSibling(item);
  state.ancestorHasNextSibling = m_ancestorFlags;
  state.text = QString::fromStdString(item->text());
  state.imageIndex = item->imageIndex();
  state.images = m_images;
  state.font = option.font;
  // Hot tracking does not change a row's look; a selected row keeps the highlight without the focus.
  const bool selected = selectionModel() && selectionModel()->isSelected(index);
  const QPalette& pal = palette();
  state.fillColor =
      selected ? pal.color(QPalette::Active, QPalette::Highlight) : pal.color(QPalette::Active, QPalette::Base);
  state.textColor =
      selected ? pal.color(QPalette::Active, QPalette::HighlightedText) : pal.color(QPalette::Active, QPalette::Text);
  paintTreeRow(*painter, state, m_rowGeometry);
}

document::MenuItem* MenuTreeView::itemAt(const QPoint& point) const {
  return m_model ? m_model->itemFromIndex(indexAt(point)) : nullptr;
}

void MenuTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  // Only a current row that is also selected is a selection change: the view makes the first row
  // current, unselected, when it first takes the focus, and that must not make it the current item.
  if (m_model && current.isValid() && current != previous && selectionModel()->isSelected(current)) {
    Q_EMIT selectionChanging(m_model->itemFromIndex(current));
  }
}

void MenuTreeView::mousePressEvent(QMouseEvent* event) {
  m_pressed = true;
  QTreeView::mousePressEvent(event);
}

void MenuTreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  if (m_pressed && event->button() == Qt::LeftButton) {
    m_pressed = false;
    Q_EMIT treeClicked();
  }
}

void MenuTreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this) {
    event->acceptProposedAction();
  } else {
    QTreeView::dragEnterEvent(event);
  }
}

void MenuTreeView::dragMoveEvent(QDragMoveEvent* event) {
  // While an item is dragged over the tree, the tree accepts it everywhere.
  if (event->source() == this) {
    event->acceptProposedAction();
  } else {
    QTreeView::dragMoveEvent(event);
  }
}

void MenuTreeView::dropEvent(QDropEvent* event) {
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
