#pragma once

#include "gui/app/user_prompts.h"

namespace corvantel::gui {

// The real prompts: QMessageBox, QFileDialog, QInputDialog and QDialog::exec.
class QtUserPrompts : public UserPrompts {
 public:
  Answer askYesNoCancel(QWidget* parent, const QString& text) override;
  bool confirmOkCancel(QWidget* parent, const QString& text, int helpContext) override;
  void warning(QWidget* parent, const QString& text) override;
  void information(QWidget* parent, const QString& text) override;
  void error(QWidget* parent, const QString& text) override;
  QString openFileName(QWidget* parent, const QString& filter, const QString& start) override;
  QStringList openFileNames(QWidget* parent, const QString& filter, const QString& start) override;
  QString saveFileName(QWidget* parent, const QString& filter, const QString& start) override;
  std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt) override;
  int execDialog(QDialog* dialog) override;
};

}  // namespace corvantel::gui
