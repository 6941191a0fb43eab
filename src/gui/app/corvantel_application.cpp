#include "gui/app/corvantel_application.h"

#include <QWidget>

#include "core/error.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

CorvantelApplication::CorvantelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Corvantel"));
  setApplicationDisplayName(QStringLiteral("Corvantel"));
  setOrganizationName(QStringLiteral("Corvantel"));
}

bool CorvantelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    showException(e);
  }
  return false;
}

void CorvantelApplication::showException(const std::exception& e) {
  prompts().error(QApplication::activeWindow(), QString::fromStdString(errorBoxText(e.what())));
}

}  // namespace corvantel::gui
