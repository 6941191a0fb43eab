#include "gui/app/qt_user_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "gui/widgets/help_hook.h"

namespace corvantel::gui {

namespace {
UserPrompts* g_prompts = nullptr;

QString title() { return QStringLiteral("Corvantel"); }
}  // namespace

UserPrompts& prompts() {
  static QtUserPrompts fallback;
  return g_prompts ? *g_prompts : fallback;
}

UserPrompts* setPrompts(UserPrompts* p) {
  UserPrompts* old = g_prompts;
  g_prompts = p;
  return old;
}

UserPrompts::Answer QtUserPrompts::askYesNoCancel(QWidget* parent, const QString& text) {
  auto r = QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Yes);
  if (r == QMessageBox::Yes) return Answer::Yes;
  if (r == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

bool QtUserPrompts::confirmOkCancel(QWidget* parent, const QString& text, int helpContext) {
  QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.setProperty("helpContext", helpContext);
  box.setWindowModality(Qt::WindowModal);  // blocks its window only: the help it opens takes input
  if (helpContext > 0) {
    // F1 reaches the help hook through the box's help context; the Help button asks for the same topic
    // and, unlike the box's other buttons, leaves the box open.
    QAbstractButton* help = box.addButton(QMessageBox::Help);
    QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
    QObject::connect(help, &QAbstractButton::clicked, &box, [&box] { HelpHook::requestHelpFor(&box); });
  }
  return box.exec() == QMessageBox::Ok;
}

void QtUserPrompts::warning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, title(), text, QMessageBox::Ok);
}

void QtUserPrompts::information(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, title(), text, QMessageBox::Ok);
}

void QtUserPrompts::error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

QString QtUserPrompts::openFileName(QWidget* parent, const QString& filter, const QString& start) {
  return QFileDialog::getOpenFileName(parent, QString(), start, filter);
}

QStringList QtUserPrompts::openFileNames(QWidget* parent, const QString& filter, const QString& start) {
  return QFileDialog::getOpenFileNames(parent, QString(), start, filter);
}

// The overwrite question is the program's own (it names both project files), so the dialog asks none.
QString QtUserPrompts::saveFileName(QWidget* parent, const QString& filter, const QString& start) {
  QFileDialog dialog(parent, QString(), start, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(QStringLiteral("cvp"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtUserPrompts::inputText(QWidget* parent, const QString& title, const QString& prompt) {
  bool ok = false;
  QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return text;
}

int QtUserPrompts::execDialog(QDialog* dialog) {
  // Modal to its own window only, so that the help window opened from it (F1) takes input.
  if (dialog->parentWidget()) dialog->setWindowModality(Qt::WindowModal);
  return dialog->exec();
}

}  // namespace corvantel::gui
