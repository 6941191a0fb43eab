#include "gui/app/menu_tree_view.h"

#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
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
  // A list whose last item went (removed, dragged away, an undone Add) collapses, so that it shows no
  // open box without children; a later child opens it again.
  connect(model, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex& parent, int, int) { collapseIfEmptied(parent); });
  connect(model, &QAbstractItemModel::rowsMoved, this,
          [this](const QModelIndex& parent, int, int, const QModelIndex&, int) { collapseIfEmptied(parent); });
}

void MenuTreeView::collapseIfEmptied(const QModelIndex& parent) {
  if (parent.isValid() && !m_model->hasChildren(parent)) collapse(parent);
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
  state.warning = m_model->hasLinkProblem(item);
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

DropPlace MenuTreeView::dropPlaceAt(const QPoint& point) const {
  if (!m_model) return {};
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) {
    // Below the last row: the end of the menu. Beside the rows (a point left of them) is no place.
    return point.y() >= 0 && point.x() >= 0 ? DropPlace{DropPlace::Kind::End, nullptr} : DropPlace{};
  }
  const QRect row = visualRect(index);
  const int band = std::max(1, row.height() / 4);
  document::MenuItem* item = m_model->itemFromIndex(index);
  if (point.y() < row.top() + band) return {DropPlace::Kind::Before, item};
  if (point.y() > row.bottom() - band) return {DropPlace::Kind::After, item};
  return {DropPlace::Kind::Into, item};
}

QRect MenuTreeView::dropIndicatorRect(const DropPlace& place) const {
  const int right = viewport()->width() - 1;
  if (place.kind == DropPlace::Kind::End) {
    // Under the last shown row, at the level of the menus.
    QModelIndex last = m_model->index(m_model->rowCount() - 1, 0);
    while (last.isValid() && isExpanded(last) && m_model->rowCount(last) > 0) {
      last = m_model->index(m_model->rowCount(last) - 1, 0, last);
    }
    const QRect row = visualRect(last);
    const int left = visualRect(m_model->index(0, 0)).left() + indentation();
    return QRect(QPoint(left, row.bottom()), QPoint(right, row.bottom() + 1));
  }
  const QRect row = visualRect(m_model->indexFromItem(place.target));
  switch (place.kind) {
    case DropPlace::Kind::Before:
      return QRect(QPoint(row.left(), row.top()), QPoint(right, row.top() + 1));
    case DropPlace::Kind::After:
      return QRect(QPoint(row.left(), row.bottom()), QPoint(right, row.bottom() + 1));
    case DropPlace::Kind::Into:
      return row.adjusted(0, 0, -1, -1);
    default:
      return {};
  }
}

void MenuTreeView::showDropPlace(const DropPlace& place) {
  if (place == m_shownDrop) return;
  m_shownDrop = place;
  viewport()->update();
}

void MenuTreeView::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
  if (m_shownDrop.kind == DropPlace::Kind::None) return;
  QPainter painter(viewport());
  const QColor color = palette().color(QPalette::Active, QPalette::Highlight);
  const QRect rect = dropIndicatorRect(m_shownDrop);
  if (m_shownDrop.kind == DropPlace::Kind::Into) {
    painter.setPen(QPen(color, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, 0, 0));
  } else {
    painter.fillRect(rect, color);
  }
}

void MenuTreeView::contextMenuEvent(QContextMenuEvent* event) {
  QPoint global = event->globalPos();
  if (event->reason() != QContextMenuEvent::Mouse) {
    // From the keyboard: under the current row rather than wherever the pointer happens to be.
    const QModelIndex current = currentIndex();
    if (current.isValid()) global = viewport()->mapToGlobal(visualRect(current).bottomLeft());
  }
  event->accept();
  Q_EMIT contextMenuWanted(global);
}

void MenuTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  // Only a current row that is also selected is a selection change: the view makes the first row
  // current, unselected, when it first takes the focus, and that must not make it the current item.
  if (m_model && current.isValid() && current != previous && selectionModel()->isSelected(current)) {
    Q_EMIT selectionChanging(m_model->itemFromIndex(current));
  }
}

void MenuTreeView::keyPressEvent(QKeyEvent* event) {
  // Alt with an arrow moves the item (the window's commands); where the move cannot be made the key
  // does nothing rather than moving the selection.
  const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_Left ||
                     event->key() == Qt::Key_Right;
  if (arrow && (event->modifiers() & Qt::AltModifier)) {
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
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
  QTreeView::dragMoveEvent(event);  // scrolls at the edges
  if (event->source() != this) return;
  // The indicator shows where the item would land; a place the rules refuse shows none and is refused.
  const DropPlace place = dropPlaceAt(event->position().toPoint());
  const bool allowed = place.kind != DropPlace::Kind::None && (!m_dropCheck || m_dropCheck(place));
  showDropPlace(allowed ? place : DropPlace{});
  if (allowed) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void MenuTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
  QTreeView::dragLeaveEvent(event);
  showDropPlace({});
}

void MenuTreeView::dropEvent(QDropEvent* event) {
  if (event->source() != this) {
    QTreeView::dropEvent(event);
    return;
  }
  m_pressed = false;
  showDropPlace({});
  // The move is the tree's own; the drag must not remove anything when it returns.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  Q_EMIT dragEnded(event->position().toPoint());
}

}  // namespace corvantel::gui
