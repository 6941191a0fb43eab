#pragma once

#include <memory>
#include <string>

#include <QStringList>

namespace corvantel::gui {

class SplashScreen;

// Creates the start-up splash window (no owner, OK button hidden), shows it without waiting and lets
// it paint once.
std::unique_ptr<SplashScreen> showStartupSplash();

// The project named on the command line: the first argument that is not a switch of the help log
// ("-debug", "/debug" in any letter case); empty when there is none.
QString projectArgument(const QStringList& arguments);

// The start-up sequence of the window program: application, splash, main window and dialogs, event loop.
// Returns the exit code when the main window has closed.
int runProgram(int& argc, char** argv, const std::string& programFolder);

}  // namespace corvantel::gui
