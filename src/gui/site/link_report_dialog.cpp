#include "gui/site/link_report_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/help/help_path.h"

namespace corvantel::gui {

namespace {
constexpr int kItemRole = Qt::UserRole + 1;
}

LinkReportDialog::LinkReportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("linkReportDialog"));
  setProperty("helpContext", help::help_context::kOwnSite);
  setModal(false);
  m_list = new QTreeWidget(this);
  m_list->setObjectName(QStringLiteral("linkList"));
  m_list->setColumnCount(3);
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setAlternatingRowColors(true);
  m_list->header()->setStretchLastSection(true);
  m_list->setTextElideMode(Qt::ElideMiddle);  // long paths keep their start and their file name
  m_list->setMinimumSize(420, 160);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->setObjectName(QStringLiteral("linkReportButtons"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  resize(820, 320);
  // A double click or Enter on a row (or a single click where the desktop activates with one).
  connect(m_list, &QTreeWidget::itemActivated, this, &LinkReportDialog::chooseRow);
}

void LinkReportDialog::setHeaders(const QStringList& headers) { m_list->setHeaderLabels(headers); }

void LinkReportDialog::showEntries(const QList<Entry>& entries, const QString& noneText) {
  m_list->clear();
  for (const Entry& entry : entries) {
    auto* row = new QTreeWidgetItem(m_list, {entry.captions, entry.address, entry.reason});
    row->setData(0, kItemRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry.item)));
    for (int column = 0; column < 3; ++column) row->setToolTip(column, row->text(column));
  }
  if (entries.isEmpty()) {
    auto* row = new QTreeWidgetItem(m_list, {noneText});
    row->setFirstColumnSpanned(true);
  }
  // The captions and the address as wide as they need, up to a share of the list each; the reason
  // takes the rest.
  const int shares[] = {40, 30};
  for (int column = 0; column < 2; ++column) {
    m_list->resizeColumnToContents(column);
    m_list->setColumnWidth(column, std::min(m_list->columnWidth(column), width() * shares[column] / 100));
  }
  m_list->setCurrentItem(m_list->topLevelItem(0));
}

void LinkReportDialog::clearReport() { m_list->clear(); }

void LinkReportDialog::chooseRow(QTreeWidgetItem* row) {
  const auto item = reinterpret_cast<const document::MenuItem*>(row->data(0, kItemRole).value<quintptr>());
  if (item) emit itemChosen(item);
}

}  // namespace corvantel::gui
