#pragma once

#include <QApplication>

namespace corvantel::gui {

// The application object. Its general error handler catches what an event handler lets through and
// shows it in the error box; the program goes on running.
class CorvantelApplication : public QApplication {
 public:
  CorvantelApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows an exception's text in the error box (through the prompts).
  static void showException(const std::exception& e);
};

}  // namespace corvantel::gui
