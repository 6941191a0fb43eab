#pragma once

#include <memory>
#include <string>

namespace corvantel::gui {

class SplashScreen;

// Creates the start-up splash window (no owner, OK button hidden), shows it without waiting and lets
// it paint once.
std::unique_ptr<SplashScreen> showStartupSplash();

// The start-up sequence of the window program: application, splash, main window and dialogs, event loop.
// Returns the exit code when the main window has closed.
int runProgram(int& argc, char** argv, const std::string& programFolder);

}  // namespace corvantel::gui
