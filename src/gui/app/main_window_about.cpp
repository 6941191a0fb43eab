// The About command: the splash window shown again, with its OK button.

#include "core/help/help_path.h"
#include "gui/app/main_window.h"
#include "gui/app/splash_screen.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

void MainWindow::showAbout() {
  // Owned by the window, so that it is modal to the window alone and the help it opens can be used.
  SplashScreen splash(this);
  splash.setProperty("helpContext", help::help_context::kAbout);
  splash.setOkButtonVisible(true);
  splash.centreOnScreen();
  prompts().execDialog(&splash);
  splash.setOkButtonVisible(false);
  splash.hide();
}

}  // namespace corvantel::gui
