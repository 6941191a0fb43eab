#include "gui/widgets/help_hook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "core/help/help_log.h"
#include "gui/app/qt_user_prompts.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/widgets/chm_help_display.h"
#include "gui/widgets/help_viewer.h"
#include "help_test_support.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

using namespace corvantel;
using namespace corvantel::test;
using gui::HelpHook;

namespace {

struct HelpHookTest : ::testing::Test {
  std::shared_ptr<RecordingHelpDisplay> display = std::make_shared<RecordingHelpDisplay>();
  ScriptedPrompts prompts;
};

// Presses F1 on `widget` after giving it the focus in its shown window.
void pressF1(QWidget* widget) {
  widget->window()->show();
  widget->window()->activateWindow();
  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_F1);
}

}  // namespace

TEST_F(HelpHookTest, F1AsksForTheNearestHelpContextOnce) {
  HelpHook hook(QStringLiteral("/p/Corvantel.chm"), QString(), 0, display);
  QWidget window;
  window.setProperty("helpContext", 1002);
  auto* layout = new QVBoxLayout(&window);
  auto* inherits = new QPushButton(QStringLiteral("a"), &window);
  auto* own = new QLineEdit(&window);
  own->setProperty("helpContext", 1000);
  layout->addWidget(inherits);
  layout->addWidget(own);

  pressF1(inherits);
  pressF1(own);
  // Other keys and F1 with a modifier are not help.
  QTest::keyClick(own, Qt::Key_F2);
  QTest::keyClick(own, Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(display->contexts(), (std::vector<int>{1002, 1000}));
  EXPECT_EQ(display->requests.front().path, QStringLiteral("/p/Corvantel.chm"));

  QWidget bare;
  auto* field = new QLineEdit(&bare);
  pressF1(field);
  EXPECT_EQ(display->requests.size(), 2u);
}

TEST_F(HelpHookTest, F1InTheProjectSettingsDialogAsksFor1005) {
  HelpHook hook(QStringLiteral("/p/Corvantel.chm"), QString(), 0, display);
  gui::ProjectSettingsDialog dialog;
  pressF1(&dialog);
  pressF1(test::child<QPushButton>(&dialog, "okButton"));
  pressF1(test::child<QPushButton>(&dialog, "cancelButton"));
  pressF1(test::child<QLineEdit>(&dialog, "pageTitleEdit"));
  EXPECT_EQ(display->contexts(), (std::vector<int>{1005, 1005, 1005, 1005}));
}

// The delete confirmation of the real prompts carries its topic: F1 while it is open asks for 1004, and
// its Help button asks again without closing the box.
TEST_F(HelpHookTest, DeleteConfirmationOffersHelp1004) {
  HelpHook hook(QStringLiteral("/p/Corvantel.chm"), QString(), 0, display);
  gui::QtUserPrompts real;
  bool sawHelpButton = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_F1);
    if (QAbstractButton* help = box->button(QMessageBox::Help)) {
      sawHelpButton = true;
      help->click();
    }
    EXPECT_TRUE(box->isVisible());
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_FALSE(real.confirmOkCancel(nullptr, QStringLiteral("Do you want delete this item ?"), 1004));
  EXPECT_TRUE(sawHelpButton);
  EXPECT_EQ(display->contexts(), (std::vector<int>{1004, 1004}));
}

TEST_F(HelpHookTest, CommandTable) {
  HelpHook hook(QStringLiteral("/p/Corvantel.chm"), QString(), 0, display);
  bool callHelp = true;
  EXPECT_TRUE(hook.handleRequest(1, 1049, callHelp));
  EXPECT_FALSE(callHelp);
  EXPECT_TRUE(hook.handleRequest(8, 1005, callHelp));
  EXPECT_FALSE(callHelp);
  EXPECT_TRUE(hook.handleRequest(13, static_cast<qint32>(0xFFEC0010u), callHelp));
  EXPECT_FALSE(callHelp);
  EXPECT_EQ(hook.popupPosition(), (help::PopupPosition{16, -20}));
  for (int other : {2, 3, 11, 257, 999}) {
    callHelp = false;
    EXPECT_TRUE(hook.handleRequest(other, 1000, callHelp));
    EXPECT_TRUE(callHelp) << other;
  }
  EXPECT_EQ(display->contexts(), (std::vector<int>{1049, 1005}));
}

TEST_F(HelpHookTest, HelpPathHasSpacesForEscapes) {
  HelpHook hook(QStringLiteral(" /opt/My%20Help/Corvantel.chm "), QString(), 0, display);
  EXPECT_EQ(hook.showContext(1000), 0);
  ASSERT_EQ(display->requests.size(), 1u);
  EXPECT_EQ(display->requests[0].path, QStringLiteral("/opt/My Help/Corvantel.chm"));

  // And the real viewer opens the file whose folder has a space there.
  TempDir dir;
  std::string copy = copyHelpFileTo(dir.path() + "/My Help");
  auto viewer = std::make_shared<gui::ChmHelpDisplay>();
  QString escaped = QString::fromStdString(copy).replace(QStringLiteral(" "), QStringLiteral("%20"));
  HelpHook real(escaped, QString(), 0, viewer);
  EXPECT_EQ(real.showContext(1005), 0);
  ASSERT_NE(viewer->viewer(), nullptr);
  EXPECT_EQ(viewer->viewer()->currentTopic(), QStringLiteral("/topics/project_settings.htm"));
  EXPECT_TRUE(prompts.calls().empty());
}

TEST_F(HelpHookTest, UnreadableHelpFileOrNoViewerShowsTheMissingFile) {
  TempDir dir;
  auto viewer = std::make_shared<gui::ChmHelpDisplay>();
  HelpHook missing(QString::fromStdString(dir.file("Corvantel.chm")), QString(), 0, viewer);
  prompts.expectWarning();
  EXPECT_EQ(missing.showContext(1049), 1);
  EXPECT_EQ(prompts.texts(ScriptedPrompts::Kind::Warning), QStringList{"The help file " + QString::fromStdString(dir.file("Corvantel.chm")) + " is missing."});
  EXPECT_EQ(viewer->viewer(), nullptr);  // no empty window stays behind

  display->isAvailable = false;
  HelpHook none(QStringLiteral("/p/Corvantel.chm"), QString(), 0, display);
  prompts.expectWarning();
  bool callHelp = false;
  none.handleRequest(1, 1000, callHelp);
  EXPECT_TRUE(display->requests.empty());
  prompts.verifyAllUsed();
}

TEST_F(HelpHookTest, LogHasOneLinePerCallInOrder) {
  TempDir dir;
  std::string path = dir.file("HelpDebug.txt");
  display->canRead = false;
  {
    auto log = std::make_unique<help::HelpLog>(path, [] { return std::string("09:08:07"); });
    HelpHook hook(QStringLiteral("/p/My%20Corvantel.chm"), QString(), 0, display, std::move(log));
    prompts.expectWarning();
    bool callHelp = false;
    hook.handleRequest(1, 1005, callHelp);
  }
  EXPECT_EQ(readFile(path),
            "THelpHook.Create(\"/p/My%20Corvantel.chm\",\"\", 0)   09:08:07\n"
            "THelpHook.HelpHook(HELP_CONTEXT (1), 1005)   09:08:07\n"
            "HelpHookContext(\"/p/My%20Corvantel.chm\", 1005, \"\", 0)   09:08:07\n"
            "ShowContext(\"/p/My Corvantel.chm\", 0)   09:08:07\n"
            "  returned - 1   09:08:07\n"
            "HelpHookShowError(1), \"The help file /p/My Corvantel.chm is missing.\"   09:08:07\n"
            "THelpHook.Destroy   09:08:07\n");
}

TEST_F(HelpHookTest, DestroyClosesViewerAndGivesTheHandlerBack) {
  auto first = std::make_unique<HelpHook>(QStringLiteral("/a.chm"), QString(), 0, display);
  auto second = std::make_unique<HelpHook>(QStringLiteral("/b.chm"), QString(), 0, display);
  EXPECT_EQ(HelpHook::current(), second.get());
  QWidget w;
  w.setProperty("helpContext", 1000);
  pressF1(&w);
  ASSERT_EQ(display->requests.size(), 1u);  // only the hook in charge answers
  EXPECT_EQ(display->requests[0].path, QStringLiteral("/b.chm"));
  second.reset();
  EXPECT_EQ(display->closeAllCalls, 1);
  EXPECT_EQ(HelpHook::current(), first.get());
  first.reset();
  EXPECT_EQ(HelpHook::current(), nullptr);
  EXPECT_FALSE(HelpHook::requestHelpFor(&w));

  // Without a viewer, closing does not touch it.
  auto absent = std::make_shared<RecordingHelpDisplay>();
  absent->isAvailable = false;
  { HelpHook hook(QStringLiteral("/a.chm"), QString(), 0, absent); }
  EXPECT_EQ(absent->closeAllCalls, 0);
}
