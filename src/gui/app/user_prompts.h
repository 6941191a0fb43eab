#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace corvantel::gui {

// Every question, warning, error box, file dialog and modal dialog of the program goes through this
// interface. The application uses QtUserPrompts; tests install a scripted implementation.
class UserPrompts {
 public:
  enum class Answer { Yes, No, Cancel };
  virtual ~UserPrompts() = default;

  // The save question: Yes, No and Cancel.
  virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
  // A confirmation with OK and Cancel; true for OK. `helpContext` is the box's help topic (0 for none).
  virtual bool confirmOkCancel(QWidget* parent, const QString& text, int helpContext) = 0;
  // A warning with an OK button alone.
  virtual void warning(QWidget* parent, const QString& text) = 0;
  // A message with the information icon and OK (what a command did). Without a box of its own, a warning.
  virtual void information(QWidget* parent, const QString& text) { warning(parent, text); }
  // The application's error box: title "Corvantel", error icon, OK.
  virtual void error(QWidget* parent, const QString& text) = 0;
  // A file to open / to save with the given filters ("Corvantel project (*.cvp);;All files (*)"); empty
  // when cancelled. The dialog starts at `start`: a folder, or a file name it proposes (empty: the
  // dialog's own choice).
  virtual QString openFileName(QWidget* parent, const QString& filter, const QString& start) = 0;
  // Several files to open at once; empty when cancelled. Without a dialog of its own, one file.
  virtual QStringList openFileNames(QWidget* parent, const QString& filter, const QString& start) {
    const QString one = openFileName(parent, filter, start);
    return one.isEmpty() ? QStringList() : QStringList{one};
  }
  virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& start) = 0;
  // A one-line input box; nothing when cancelled.
  virtual std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt) = 0;
  // Shows a modal dialog and returns its result (QDialog::Accepted or Rejected).
  virtual int execDialog(QDialog* dialog) = 0;
};

// The prompts in use (never null once the application is set up).
UserPrompts& prompts();
// Installs `p` (not owned) and returns the one it replaced.
UserPrompts* setPrompts(UserPrompts* p);

}  // namespace corvantel::gui
