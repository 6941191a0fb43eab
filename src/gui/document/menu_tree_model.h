#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QString>

#include "core/document/menu_tree.h"

namespace corvantel::gui {

// The item model over the document's MenuTree. It holds no copy: every index points at a MenuItem and
// every change of the tree reaches the view through the tree's observer calls.
class MenuTreeModel : public QAbstractItemModel, private document::MenuTreeObserver {
  Q_OBJECT
 public:
  static constexpr int ItemTextRole = Qt::UserRole + 1;   // the whole text, caption TAB address
  static constexpr int ImageIndexRole = Qt::UserRole + 2;  // the picture index, -1 for none

  explicit MenuTreeModel(document::MenuTree& tree, QObject* parent = nullptr);
  ~MenuTreeModel() override;

  document::MenuTree& tree() { return m_tree; }
  document::MenuItem* itemFromIndex(const QModelIndex& index) const;
  QModelIndex indexFromItem(const document::MenuItem* item) const;
  // The items below `item` at every depth (for the delete question), counted without recursion.
  static std::size_t descendantCount(const document::MenuItem* item);

  // The items whose link the last check found broken, each with the reason: they show the warning sign
  // and the reason as their tool tip. Cleared when the tree is replaced.
  void setLinkProblems(QHash<const document::MenuItem*, QString> problems);
  void clearLinkProblems() { setLinkProblems({}); }
  bool hasLinkProblem(const document::MenuItem* item) const { return m_linkProblems.contains(item); }

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  Qt::DropActions supportedDropActions() const override;
  Qt::DropActions supportedDragActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

 private:
  void aboutToInsert(const document::MenuItem* parent, int row) override;
  void inserted() override;
  void aboutToRemove(const document::MenuItem* parent, int row) override;
  void removed() override;
  void aboutToMove(const document::MenuItem* fromParent, int fromRow, const document::MenuItem* toParent, int toRow) override;
  void moved() override;
  void textChanged(const document::MenuItem* item) override;
  void aboutToReset() override;
  void reset() override;

  document::MenuTree& m_tree;
  QHash<const document::MenuItem*, QString> m_linkProblems;
};

}  // namespace corvantel::gui
