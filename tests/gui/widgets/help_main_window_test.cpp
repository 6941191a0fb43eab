#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/user_prompts.h"
#include "gui/widgets/help_hook.h"
#include "gui/widgets/help_topic_browser.h"
#include "gui/widgets/help_viewer.h"
#include "help_test_support.h"
#include "support/gui/find_child.h"

using namespace corvantel;
using namespace corvantel::test;

namespace {

// Prompts that answer every question with No or Cancel and record the warnings and errors; the start-up
// of the main window may raise some that these tests do not care about.
class QuietPrompts : public gui::UserPrompts {
 public:
  QuietPrompts() : m_previous(gui::setPrompts(this)) {}
  ~QuietPrompts() override { gui::setPrompts(m_previous); }
  Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::No; }
  bool confirmOkCancel(QWidget*, const QString&, int) override { return false; }
  void warning(QWidget*, const QString& text) override { warnings << text; }
  void error(QWidget*, const QString&) override {}
  QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
  QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> inputText(QWidget*, const QString&, const QString&) override { return std::nullopt; }
  int execDialog(QDialog*) override { return 0; }
  QStringList warnings;

 private:
  gui::UserPrompts* m_previous;
};

QList<gui::HelpViewer*> visibleViewers() {
  QList<gui::HelpViewer*> out;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* v = qobject_cast<gui::HelpViewer*>(w); v && v->isVisible()) out << v;
  }
  return out;
}

struct MainWindowHelp : ::testing::Test {
  void start(QStringList arguments, std::shared_ptr<gui::HelpDisplay> display) {
    copyHelpFileTo(dir.path());
    if (display) gui::HelpHook::setDisplayFactory([display] { return display; });
    gui::StartOptions options;
    options.programFolder = dir.path() + "/";
    options.arguments = std::move(arguments);
    form = std::make_unique<gui::MainWindow>(options);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_NE(form->findChild<gui::HelpHook*>(), nullptr);
  }
  void TearDown() override {
    form.reset();
    gui::HelpHook::setDisplayFactory(nullptr);
  }

  TempDir dir;
  QuietPrompts prompts;
  std::unique_ptr<gui::MainWindow> form;
};

}  // namespace

TEST_F(MainWindowHelp, TreeF1AndContentsWithTheDebugLog) {
  writeFile(dir.file("HelpDebug.txt"), "a log of an earlier run\n");
  auto display = std::make_shared<RecordingHelpDisplay>();
  start({QStringLiteral("-debug")}, display);

  test::child<gui::MenuTreeView>(form.get(), "treeView")->setFocus();
  QTest::keyClick(test::child<gui::MenuTreeView>(form.get(), "treeView"), Qt::Key_F1);
  test::child<QAction>(form.get(), "contentsAction")->trigger();
  EXPECT_EQ(display->contexts(), (std::vector<int>{1000, 1049}));
  EXPECT_EQ(display->requests.front().path, QString::fromStdString(dir.file("Corvantel.chm")));

  std::string log = readFile(dir.file("HelpDebug.txt"));
  EXPECT_EQ(log.find("earlier run"), std::string::npos);
  EXPECT_NE(log.find("Filename:             " + dir.file("HelpDebug.txt")), std::string::npos);
  EXPECT_NE(log.find("_HelpViewerInstalled =      YES"), std::string::npos);
  const std::string time = "   [0-9]{2}:[0-9]{2}:[0-9]{2}\n";
  for (const std::string& line : {
           "THelpHook\\.Create\\(\"" + dir.file("Corvantel.chm") + "\",\"\", 0\\)",
           std::string("THelpHook\\.HelpHook\\(HELP_CONTEXT \\(1\\), 1000\\)"),
           std::string("THelpHook\\.HelpHook\\(HELP_CONTEXT \\(1\\), 1049\\)"),
           "ShowContext\\(\"" + dir.file("Corvantel.chm") + "\", 0\\)",
           std::string("  returned - 0"),
       }) {
    EXPECT_TRUE(QString::fromStdString(log).contains(QRegularExpression(QString::fromStdString(line + time))))
        << line << "\nin:\n"
        << log;
  }
  form->close();
  EXPECT_NE(readFile(dir.file("HelpDebug.txt")).find("THelpHook.Destroy   "), std::string::npos);
  // The hook closed the viewer, and the main window asked once more.
  EXPECT_EQ(display->closeAllCalls, 2);
}

TEST_F(MainWindowHelp, NoLogUnlessAskedAndAnOldLogIsRemoved) {
  writeFile(dir.file("HelpDebug.txt"), "old\n");
  start({}, std::make_shared<RecordingHelpDisplay>());
  test::child<QAction>(form.get(), "contentsAction")->trigger();
  EXPECT_FALSE(std::filesystem::exists(dir.file("HelpDebug.txt")));
}

TEST_F(MainWindowHelp, ClosingTheProgramClosesTheHelpWindow) {
  start({}, nullptr);  // the real viewer
  test::child<QAction>(form.get(), "contentsAction")->trigger();
  QList<gui::HelpViewer*> open = visibleViewers();
  ASSERT_EQ(open.size(), 1);
  EXPECT_EQ(open[0]->currentTopic(), QStringLiteral("/topics/contents.htm"));
  // A second request reuses the window and brings it to the front.
  test::child<gui::MenuTreeView>(form.get(), "treeView")->setFocus();
  QTest::keyClick(test::child<gui::MenuTreeView>(form.get(), "treeView"), Qt::Key_F1);
  ASSERT_EQ(visibleViewers().size(), 1);
  EXPECT_EQ(visibleViewers()[0]->currentTopic(), QStringLiteral("/topics/main_window.htm"));

  form->close();
  EXPECT_TRUE(visibleViewers().isEmpty());
  EXPECT_EQ(form->findChild<gui::HelpHook*>(), nullptr);
  EXPECT_TRUE(prompts.warnings.isEmpty());
}

TEST(HelpViewer, ShowsTopicsWithContentsAndWorkingLinks) {
  TempDir dir;
  gui::HelpViewer viewer;
  ASSERT_TRUE(viewer.openFile(QString::fromStdString(copyHelpFileTo(dir.path()))));
  viewer.bringToFront();
  ASSERT_TRUE(viewer.showContext(1005));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/project_settings.htm"));
  EXPECT_EQ(viewer.topicBrowser()->documentTitle(), QStringLiteral("Project settings"));
  EXPECT_TRUE(viewer.topicBrowser()->toPlainText().contains(QStringLiteral("Separator size")));
  EXPECT_GE(viewer.contentsTree()->topLevelItemCount(), 5);
  ASSERT_NE(viewer.contentsTree()->currentItem(), nullptr);
  EXPECT_EQ(viewer.contentsTree()->currentItem()->text(0), QStringLiteral("Project settings"));

  // A relative link of the topic, then back.
  emit viewer.topicBrowser()->anchorClicked(QUrl(QStringLiteral("menu_types.htm")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/menu_types.htm"));
  EXPECT_EQ(viewer.contentsTree()->currentItem()->text(0), QStringLiteral("The three menu types"));
  ASSERT_TRUE(viewer.backAction()->isEnabled());
  viewer.backAction()->trigger();
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/project_settings.htm"));

  // The style sheet comes from the file too.
  QVariant css =
      viewer.topicBrowser()->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("style.css")));
  EXPECT_TRUE(css.toString().contains(QStringLiteral("table.settings")));

  // A context the file does not know is reported in the window.
  EXPECT_FALSE(viewer.showContext(4242));
  EXPECT_TRUE(viewer.topicBrowser()->toPlainText().contains(QStringLiteral("4242")));
  viewer.homeAction()->trigger();
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/contents.htm"));

  if (qEnvironmentVariableIsSet("CORVANTEL_HELP_SHOT")) {
    viewer.showContext(1005);
    viewer.grab().save(qEnvironmentVariable("CORVANTEL_HELP_SHOT"));
  }
}
