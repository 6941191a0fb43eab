#pragma once

#include <QPixmap>
#include <QStringList>
#include <QTreeWidget>

namespace corvantel::gui {

// LanguageListView: a list in report view (column headings, whole rows, single selection) with two properties
// of its own: Background, a picture tiled behind the items, and ScrollBarStyle.
class LanguageListView : public QTreeWidget {
  Q_OBJECT
 public:
  enum ScrollBarStyle { NormalScrollBars, FlatScrollBars, NoScrollBars };

  explicit LanguageListView(QWidget* parent = nullptr);

  // Columns: one per heading, with its width in pixels; a width of 0 keeps the column out of sight.
  void setColumns(const QStringList& headings, const QList<int>& widths);

  const QPixmap& background() const { return m_background; }
  // A null picture gives the ordinary list background.
  void setBackground(const QPixmap& picture);

  ScrollBarStyle scrollBarStyle() const { return m_scrollBarStyle; }
  void setScrollBarStyle(ScrollBarStyle style);

  // Rows, in the order added.
  void addRow(const QStringList& cells);
  int rowCount() const { return topLevelItemCount(); }
  QString cellText(int row, int column) const;
  // The selected row, or -1.
  int selectedRow() const;
  // Selects `row` (-1 clears the selection).
  void selectRow(int row);

 private:
  QPixmap m_background;
  ScrollBarStyle m_scrollBarStyle = NormalScrollBars;
};

}  // namespace corvantel::gui
