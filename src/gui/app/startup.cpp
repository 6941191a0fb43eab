#include "gui/app/startup.h"

#include "gui/app/corvantel_application.h"
#include "gui/app/main_form.h"
#include "gui/app/qt_user_prompts.h"

namespace corvantel::gui {

int runProgram(int& argc, char** argv, const std::string& programFolder) {
  CorvantelApplication app(argc, argv);
  QtUserPrompts realPrompts;
  setPrompts(&realPrompts);

  StartOptions options;
  options.programFolder = programFolder;
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  options.arguments = arguments;

  TCorvantelMainForm form(options);
  form.show();
  int code = app.exec();
  setPrompts(nullptr);
  return code;
}

}  // namespace corvantel::gui
