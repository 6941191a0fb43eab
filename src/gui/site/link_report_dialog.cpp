#include "gui/site/link_report_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvantel::gui {

namespace {
constexpr int kItemRole = Qt::UserRole + 1;
}

LinkReportDialog::LinkReportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("linkReportDialog"));
  setModal(false);
  m_list = new QListWidget(this);
  m_list->setObjectName(QStringLiteral("linkList"));
  m_list->setMinimumSize(420, 200);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->setObjectName(QStringLiteral("linkReportButtons"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &LinkReportDialog::chooseRow);
  connect(m_list, &QListWidget::itemActivated, this, &LinkReportDialog::chooseRow);  // Enter on a row
}

void LinkReportDialog::showReport(const QList<Entry>& entries, const QString& noneText) {
  m_list->clear();
  for (const Entry& entry : entries) {
    auto* row = new QListWidgetItem(entry.text, m_list);
    row->setData(kItemRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry.item)));
  }
  if (entries.isEmpty()) new QListWidgetItem(noneText, m_list);
  m_list->setCurrentRow(0);
  show();
  raise();
}

void LinkReportDialog::chooseRow(QListWidgetItem* row) {
  const auto item = reinterpret_cast<const document::MenuItem*>(row->data(kItemRole).value<quintptr>());
  if (item) emit itemChosen(item);
}

}  // namespace corvantel::gui
