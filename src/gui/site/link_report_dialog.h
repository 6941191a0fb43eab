#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "core/document/menu_tree.h"

class QListWidget;
class QListWidgetItem;

namespace corvantel::gui {

// The result of a link check: a window beside the main window (not modal) listing the items whose link
// is broken, each with its reason. A double click on a row asks for its item to be selected in the tree.
class LinkReportDialog : public QDialog {
  Q_OBJECT
 public:
  struct Entry {
    const document::MenuItem* item = nullptr;
    QString text;
  };

  explicit LinkReportDialog(QWidget* parent = nullptr);

  // Fills the list; with no entries it holds the one line `noneText`.
  void showReport(const QList<Entry>& entries, const QString& noneText);

 signals:
  void itemChosen(const document::MenuItem* item);

 private:
  void chooseRow(QListWidgetItem* row);

  QListWidget* m_list = nullptr;
};

}  // namespace corvantel::gui
