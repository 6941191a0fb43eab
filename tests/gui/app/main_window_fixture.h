#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <memory>

#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/document/menu_tree_model.h"
#include "support/core/temp_dir.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace corvantel::test {

// Processes events until `done` holds or `ms` milliseconds have passed; returns whether it held.
inline bool waitFor(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QTest::qSleep(5);
  }
  return true;
}

// A shown main window on a fresh program folder, with scripted prompts and the model checked by
// QAbstractItemModelTester through every edit.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gui::StartOptions options;
    options.programFolder = dir.path() + "/";
    form = std::make_unique<gui::MainWindow>(options);
    tester = std::make_unique<QAbstractItemModelTester>(form->treeModel(),
                                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(form->formShown());
  }
  void TearDown() override {
    tester.reset();
    form.reset();
  }

  document::MenuTree& tree() { return form->document().tree(); }
  document::MenuItem* root() { return tree().root(); }
  // The window's controls, by object name.
  gui::MenuTreeView* view() { return child<gui::MenuTreeView>(form.get(), "treeView"); }
  QLineEdit* captionEdit() { return child<QLineEdit>(form.get(), "captionEdit"); }
  QLineEdit* urlEdit() { return child<QLineEdit>(form.get(), "urlEdit"); }
  QPushButton* setButton() { return child<QPushButton>(form.get(), "setButton"); }
  QToolBar* toolBar() { return child<QToolBar>(form.get(), "toolBar"); }
  QMenuBar* mainMenuBar() { return child<QMenuBar>(form.get(), "mainMenuBar"); }
  QMenu* menu(const char* name) { return child<QMenu>(form.get(), name); }
  QAction* action(const char* name) { return child<QAction>(form.get(), name); }
  QRect rectOf(const document::MenuItem* item) { return view()->visualRect(form->treeModel()->indexFromItem(item)); }
  // A real mouse click on the item's row.
  void clickItem(const document::MenuItem* item) {
    view()->scrollTo(form->treeModel()->indexFromItem(item));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rectOf(item).center());
  }
  void expandAll() { view()->expandAll(); }
  // Clicks the tool bar button of `action`, so that the click passes through the application object.
  void clickToolButton(QAction* action) {
    QWidget* button = toolBar()->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  TempDir dir;
  ScriptedPrompts prompts;
  std::unique_ptr<gui::MainWindow> form;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace corvantel::test
