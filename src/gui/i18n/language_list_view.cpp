#include "gui/i18n/language_list_view.h"

#include <QHeaderView>
#include <QPalette>
#include <QScrollBar>

namespace corvantel::gui {

LanguageListView::LanguageListView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
}

void LanguageListView::setColumns(const QStringList& headings, const QList<int>& widths) {
  setColumnCount(int(headings.size()));
  setHeaderLabels(headings);
  for (int c = 0; c < headings.size(); ++c) {
    const int width = c < widths.size() ? widths.at(c) : 100;
    setColumnHidden(c, width <= 0);
    if (width > 0) setColumnWidth(c, width);
  }
}

void LanguageListView::setBackground(const QPixmap& picture) {
  m_background = picture;
  QPalette p = viewport()->palette();
  if (picture.isNull()) {
    p.setBrush(QPalette::Base, palette().brush(QPalette::Base));
  } else {
    p.setBrush(QPalette::Base, QBrush(picture));  // a texture brush tiles the picture
  }
  viewport()->setPalette(p);
  viewport()->update();
}

void LanguageListView::setScrollBarStyle(ScrollBarStyle style) {
  m_scrollBarStyle = style;
  const Qt::ScrollBarPolicy policy = style == NoScrollBars ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
  setHorizontalScrollBarPolicy(policy);
  setVerticalScrollBarPolicy(policy);
  const QString flat = QStringLiteral(
      "QScrollBar { border: none; background: palette(window); }"
      "QScrollBar:vertical { width: 12px; } QScrollBar:horizontal { height: 12px; }"
      "QScrollBar::handle { background: palette(mid); min-width: 16px; min-height: 16px; }"
      "QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; border: none; }"
      "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    bar->setStyleSheet(style == FlatScrollBars ? flat : QString());
  }
}

void LanguageListView::addRow(const QStringList& cells) {
  auto* item = new QTreeWidgetItem(cells);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  addTopLevelItem(item);
}

QString LanguageListView::cellText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->text(column) : QString();
}

int LanguageListView::selectedRow() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.constFirst());
}

void LanguageListView::selectRow(int row) {
  clearSelection();
  if (QTreeWidgetItem* item = topLevelItem(row)) {
    item->setSelected(true);
    setCurrentItem(item);
  }
}

}  // namespace corvantel::gui
