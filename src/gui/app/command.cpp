#include "gui/app/command.h"

#include <exception>

#include "gui/app/corvantel_application.h"

namespace corvantel::gui {

bool runCommand(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    CorvantelApplication::showException(e);
  }
  return false;
}

}  // namespace corvantel::gui
