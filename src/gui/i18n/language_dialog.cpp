#include "gui/i18n/language_dialog.h"

#include <QPushButton>
#include <QScreen>

#include "gui/i18n/language_list_view.h"

namespace corvantel::gui {

LanguageDialog::LanguageDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("LangDial"));
  setWindowTitle(QStringLiteral("Language"));
  setModal(true);
  setFixedSize(419, 339);
  setProperty("helpContext", kHelpContext);

  LangList = new LanguageListView(this);
  LangList->setObjectName(QStringLiteral("LangList"));
  LangList->setGeometry(8, 8, 393, 265);
  LangList->setColumns({QStringLiteral("Language"), QStringLiteral("Localized name of language"),
                        QStringLiteral("Filename")},
                       {180, 180, 0});
  LangList->setScrollBarStyle(LanguageListView::ssNormal);

  LangOK = new QPushButton(QStringLiteral("OK"), this);
  LangOK->setObjectName(QStringLiteral("LangOK"));
  LangOK->setGeometry(56, 280, 75, 25);
  LangOK->setDefault(true);  // Enter presses OK

  LangCancel = new QPushButton(QStringLiteral("Cancel"), this);
  LangCancel->setObjectName(QStringLiteral("LangCancel"));
  LangCancel->setGeometry(280, 280, 75, 25);
  LangCancel->setAutoDefault(false);  // Esc rejects the dialog, as Cancel does

  for (QWidget* w : {static_cast<QWidget*>(LangList), static_cast<QWidget*>(LangOK),
                     static_cast<QWidget*>(LangCancel)}) {
    w->setProperty("helpContext", kHelpContext);
  }
  connect(LangOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(LangCancel, &QPushButton::clicked, this, &QDialog::reject);
  // A double click on a row chooses it, as selecting it and pressing OK does.
  connect(LangList, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
}

QString LanguageDialog::selectedFile() const {
  const int row = LangList->selectedRow();
  return row < 0 ? QString() : LangList->cellText(row, FilenameColumn);
}

void LanguageDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

}  // namespace corvantel::gui
