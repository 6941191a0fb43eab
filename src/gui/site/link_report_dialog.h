#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/document/menu_tree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace corvantel::gui {

// The result of a link check: a window beside the main window (not modal) listing the items whose link
// is broken, each with its captions, address and reason. A double click (or Enter) on a row asks for its
// item to be selected in the tree.
class LinkReportDialog : public QDialog {
  Q_OBJECT
 public:
  struct Entry {
    const document::MenuItem* item = nullptr;
    QString captions;
    QString address;
    QString reason;
  };

  explicit LinkReportDialog(QWidget* parent = nullptr);

  void setHeaders(const QStringList& headers);
  // Fills the list; with no entries it holds the one line `noneText`. Does not show the window.
  void showEntries(const QList<Entry>& entries, const QString& noneText);
  // Empties the list, so that no row names an item any more.
  void clearReport();
  // Asks, while the window is shown, for the check to run again (after a change of language).
  void requestRefresh() {
    if (isVisible()) emit refreshWanted();
  }

 signals:
  void itemChosen(const document::MenuItem* item);
  void refreshWanted();

 private:
  void chooseRow(QTreeWidgetItem* row);

  QTreeWidget* m_list = nullptr;
};

}  // namespace corvantel::gui
