// The About command: the splash window shown again, with its OK button.

#include "gui/app/main_window.h"
#include "gui/app/splash_screen.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

void MainWindow::showAbout() {
  SplashScreen splash(nullptr);  // no owner, like the start-up splash
  splash.setOkButtonVisible(true);
  splash.centreOnScreen();
  prompts().execDialog(&splash);
  splash.setOkButtonVisible(false);
  splash.hide();
}

}  // namespace corvantel::gui
