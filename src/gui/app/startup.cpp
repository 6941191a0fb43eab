#include "gui/app/startup.h"

#include <QPushButton>

#include "gui/app/corvantel_application.h"
#include "gui/app/main_window.h"
#include "gui/app/qt_user_prompts.h"
#include "gui/app/splash_screen.h"

namespace corvantel::gui {

std::unique_ptr<SplashScreen> showStartupSplash() {
  auto splash = std::make_unique<SplashScreen>(nullptr);
  splash->setOkButtonVisible(false);
  splash->centreOnScreen();
  splash->show();
  splash->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return splash;
}

QString projectArgument(const QStringList& arguments) {
  for (const QString& a : arguments) {
    if (a.compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0 ||
        a.compare(QLatin1String("/debug"), Qt::CaseInsensitive) == 0) {
      continue;
    }
    return a;
  }
  return {};
}

int runProgram(int& argc, char** argv, const std::string& programFolder) {
  CorvantelApplication app(argc, argv);
  QtUserPrompts realPrompts;
  setPrompts(&realPrompts);
  std::unique_ptr<SplashScreen> splash = showStartupSplash();
  CorvantelApplication::setApplicationDisplayName(QStringLiteral("Corvantel"));

  StartOptions options;
  options.programFolder = programFolder;
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  options.arguments = arguments;

  MainWindow form(options);
  splash->hide();
  splash.reset();
  form.show();
  int code = app.exec();
  setPrompts(nullptr);
  return code;
}

}  // namespace corvantel::gui
