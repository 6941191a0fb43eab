#include "gui/app/startup.h"

#include <QPushButton>

#include "gui/app/corvantel_application.h"
#include "gui/app/main_form.h"
#include "gui/app/qt_user_prompts.h"
#include "gui/app/splash_form.h"

namespace corvantel::gui {

std::unique_ptr<TSplashForm> showStartupSplash() {
  auto splash = std::make_unique<TSplashForm>(nullptr);
  splash->OKBut->setVisible(false);
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
  std::unique_ptr<TSplashForm> splash = showStartupSplash();
  CorvantelApplication::setApplicationDisplayName(QStringLiteral("Corvantel"));

  StartOptions options;
  options.programFolder = programFolder;
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  options.arguments = arguments;

  TCorvantelMainForm form(options);
  splash->hide();
  splash.reset();
  form.show();
  int code = app.exec();
  setPrompts(nullptr);
  return code;
}

}  // namespace corvantel::gui
