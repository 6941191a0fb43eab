#include "gui/document/menu_tree_model.h"

#include <QMimeData>
#include <utility>
#include <vector>

#include "gui/app/tree_images.h"

namespace corvantel::gui {

namespace {
const QString kMime = QStringLiteral("application/x-corvantel-menu-item");
}

MenuTreeModel::MenuTreeModel(document::MenuTree& tree, QObject* parent) : QAbstractItemModel(parent), m_tree(tree) {
  m_tree.setObserver(this);
}

MenuTreeModel::~MenuTreeModel() { m_tree.setObserver(nullptr); }

document::MenuItem* MenuTreeModel::itemFromIndex(const QModelIndex& index) const {
  if (!index.isValid()) return nullptr;
  return static_cast<document::MenuItem*>(index.internalPointer());
}

QModelIndex MenuTreeModel::indexFromItem(const document::MenuItem* item) const {
  if (!item || m_tree.isTop(item)) return {};
  return createIndex(item->row(), 0, const_cast<document::MenuItem*>(item));
}

std::size_t MenuTreeModel::descendantCount(const document::MenuItem* item) {
  std::size_t count = 0;
  std::vector<const document::MenuItem*> pending{item};
  while (!pending.empty()) {
    const document::MenuItem* next = pending.back();
    pending.pop_back();
    for (const auto& child : next->children()) pending.push_back(child.get());
    count += next->children().size();
  }
  return count;
}

QModelIndex MenuTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const document::MenuItem* p = parent.isValid() ? itemFromIndex(parent) : m_tree.top();
  if (column != 0 || row < 0 || row >= p->childCount()) return {};
  return createIndex(row, 0, p->child(row));
}

QModelIndex MenuTreeModel::parent(const QModelIndex& child) const {
  const document::MenuItem* item = itemFromIndex(child);
  if (!item) return {};
  return indexFromItem(item->parent());
}

int MenuTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const document::MenuItem* p = parent.isValid() ? itemFromIndex(parent) : m_tree.top();
  return p->childCount();
}

int MenuTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool MenuTreeModel::hasChildren(const QModelIndex& parent) const {
  const document::MenuItem* p = parent.isValid() ? itemFromIndex(parent) : m_tree.top();
  return p->hasChildren();
}

QVariant MenuTreeModel::data(const QModelIndex& index, int role) const {
  const document::MenuItem* item = itemFromIndex(index);
  if (!item) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(document::extractTitle(item->text()));
    case ItemTextRole:
      return QString::fromStdString(item->text());
    case ImageIndexRole:
      return item->imageIndex();
    case Qt::DecorationRole:
      if (m_linkProblems.contains(item)) return TreeImages::warningImage();
      return {};
    case Qt::ToolTipRole:
      return m_linkProblems.value(item);
    default:
      return {};
  }
}

void MenuTreeModel::setLinkProblems(QHash<const document::MenuItem*, QString> problems) {
  if (problems.isEmpty() && m_linkProblems.isEmpty()) return;
  // The marks can sit anywhere in the tree, and items marked before may be gone: the view lays out and
  // repaints what it shows.
  emit layoutAboutToBeChanged();
  m_linkProblems = std::move(problems);
  emit layoutChanged();
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

Qt::DropActions MenuTreeModel::supportedDropActions() const { return Qt::MoveAction; }
Qt::DropActions MenuTreeModel::supportedDragActions() const { return Qt::MoveAction; }

QStringList MenuTreeModel::mimeTypes() const { return {kMime}; }

QMimeData* MenuTreeModel::mimeData(const QModelIndexList&) const {
  // The drop is handled by the tree view itself, which moves the selected item; the data only marks the
  // drag as one of ours.
  auto* data = new QMimeData;
  data->setData(kMime, QByteArray("item"));
  return data;
}

bool MenuTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex&) const {
  return data && data->hasFormat(kMime);
}

bool MenuTreeModel::dropMimeData(const QMimeData*, Qt::DropAction, int, int, const QModelIndex&) { return false; }

void MenuTreeModel::aboutToInsert(const document::MenuItem* parent, int row) {
  beginInsertRows(indexFromItem(parent), row, row);
}
void MenuTreeModel::inserted() { endInsertRows(); }
void MenuTreeModel::aboutToRemove(const document::MenuItem* parent, int row) {
  beginRemoveRows(indexFromItem(parent), row, row);
}
void MenuTreeModel::removed() { endRemoveRows(); }
void MenuTreeModel::aboutToMove(const document::MenuItem* fromParent, int fromRow, const document::MenuItem* toParent, int toRow) {
  beginMoveRows(indexFromItem(fromParent), fromRow, fromRow, indexFromItem(toParent), toRow);
}
void MenuTreeModel::moved() { endMoveRows(); }
void MenuTreeModel::textChanged(const document::MenuItem* item) {
  QModelIndex i = indexFromItem(item);
  Q_EMIT dataChanged(i, i);
}
void MenuTreeModel::aboutToReset() {
  beginResetModel();
  m_linkProblems.clear();
}
void MenuTreeModel::reset() { endResetModel(); }

}  // namespace corvantel::gui
