#pragma once

#include <string>

namespace corvantel::gui {

// The start-up sequence of the window program: application, splash, main window and dialogs, event loop.
// Returns the exit code when the main window has closed.
int runProgram(int& argc, char** argv, const std::string& programFolder);

}  // namespace corvantel::gui
