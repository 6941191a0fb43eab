#pragma once

#include <QApplication>

namespace corvantel::gui {

// The application object. Commands catch their own errors (runCommand); notify() only guards the last
// resort, an exception that an event handler lets through, and shows it in the error box so that the
// program goes on running.
class CorvantelApplication : public QApplication {
 public:
  CorvantelApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows an exception's text in the error box (through the prompts).
  static void showException(const std::exception& e);
};

}  // namespace corvantel::gui
