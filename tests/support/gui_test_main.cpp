// Entry point of every widget test executable: one application object for the whole run, offscreen.
// It is the program's own, so an exception a handler lets through reaches the general error handler
// (and from there the prompts a test has scripted) just as in the program.
#include <QApplication>
#include <gtest/gtest.h>

#include "gui/app/corvantel_application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  corvantel::gui::CorvantelApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
