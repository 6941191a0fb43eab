// The About command: the splash window shown again, with its OK button.

#include "core/help/help_path.h"
#include <QWindow>

#include "gui/app/main_window.h"
#include "gui/app/splash_screen.h"
#include "gui/app/user_prompts.h"

namespace corvantel::gui {

void MainWindow::showAbout() {
  SplashScreen splash(nullptr);  // no owner, like the start-up splash
  splash.setProperty("helpContext", help::help_context::kAbout);
  // Modal to this window alone, so that the help window it opens (F1) takes input.
  splash.setWindowModality(Qt::WindowModal);
  splash.winId();
  splash.windowHandle()->setTransientParent(windowHandle());
  splash.setOkButtonVisible(true);
  splash.centreOnScreen();
  prompts().execDialog(&splash);
  splash.setOkButtonVisible(false);
  splash.hide();
}

}  // namespace corvantel::gui
