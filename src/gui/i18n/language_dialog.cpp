#include "gui/i18n/language_dialog.h"

#include <QPushButton>
#include <QScreen>

#include "gui/i18n/language_list_view.h"
#include "gui/i18n/ui_text.h"

namespace corvantel::gui {

LanguageDialog::LanguageDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("languageDialog"));
  setWindowTitle(QStringLiteral("Language"));
  setModal(true);
  setFixedSize(419, 339);
  setProperty("helpContext", kHelpContext);

  m_languageList = new LanguageListView(this);
  m_languageList->setObjectName(QStringLiteral("languageList"));
  m_languageList->setGeometry(8, 8, 393, 265);
  m_languageList->setColumns(
      {QStringLiteral("Language"), QStringLiteral("Localized name of language"), QStringLiteral("Filename")},
      {180, 180, 0});
  m_languageList->setScrollBarStyle(LanguageListView::NormalScrollBars);

  m_okButton = new QPushButton(QStringLiteral("OK"), this);
  m_okButton->setObjectName(QStringLiteral("okButton"));
  m_okButton->setGeometry(56, 280, 75, 25);
  m_okButton->setDefault(true);  // Enter presses OK

  m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
  m_cancelButton->setGeometry(280, 280, 75, 25);
  m_cancelButton->setAutoDefault(false);  // Esc rejects the dialog, as Cancel does

  for (QWidget* w : {static_cast<QWidget*>(m_languageList), static_cast<QWidget*>(m_okButton),
                     static_cast<QWidget*>(m_cancelButton)}) {
    w->setProperty("helpContext", kHelpContext);
  }
  connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  // A double click on a row chooses it, as selecting it and pressing OK does.
  connect(m_languageList, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  retranslate();
}

void LanguageDialog::retranslate() {
  setWindowTitle(uiText("Language"));
  m_languageList->headerItem()->setText(LanguageColumn, uiText("Language"));
  m_languageList->headerItem()->setText(LocalizedColumn, uiText("Localized name of language"));
  m_languageList->headerItem()->setText(FilenameColumn, uiText("Filename"));
  m_cancelButton->setText(uiText("Cancel"));
}

QString LanguageDialog::selectedFile() const {
  const int row = m_languageList->selectedRow();
  return row < 0 ? QString() : m_languageList->cellText(row, FilenameColumn);
}

void LanguageDialog::showEvent(QShowEvent* event) {
  retranslate();  // in the language chosen the last time
  QDialog::showEvent(event);
  // Centred at the first opening only; later openings find it where the user left it.
  if (m_placed) return;
  m_placed = true;
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

}  // namespace corvantel::gui
