#pragma once

#include <functional>

namespace corvantel::gui {

// Runs one command of the program. An exception the command throws ends it there and is shown in the
// application's error box (through the prompts), so that no exception crosses a signal connection into
// Qt's event dispatch. Returns whether the command ran to its end.
bool runCommand(const std::function<void()>& command);

// A slot for QObject::connect that runs `method` of `receiver` through runCommand.
template <typename Receiver>
auto commandSlot(Receiver* receiver, void (Receiver::*method)()) {
  return [receiver, method] { runCommand([receiver, method] { (receiver->*method)(); }); };
}

}  // namespace corvantel::gui
