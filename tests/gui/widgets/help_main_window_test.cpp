#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include "gui/app/main_window.h"
#include "gui/app/menu_tree_view.h"
#include "gui/app/qt_user_prompts.h"
#include "gui/app/user_prompts.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/color_popup.h"
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

namespace {

// The program's own prompts, so that every dialog runs modal for real; the answers that would need a
// person are No, and warnings are recorded.
class RealModalPrompts : public gui::QtUserPrompts {
 public:
  RealModalPrompts() : m_previous(gui::setPrompts(this)) {}
  ~RealModalPrompts() override { gui::setPrompts(m_previous); }
  Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::No; }
  void warning(QWidget*, const QString& text) override { warnings << text; }
  void error(QWidget*, const QString& text) override { warnings << text; }
  QStringList warnings;

 private:
  gui::UserPrompts* m_previous;
};

}  // namespace

// F1 in each modal window of the program brings up its topic in a help window that takes a real click
// while the modal window stays open.
TEST_F(MainWindowHelp, HelpFromEveryModalWindowTakesInput) {
  start({}, nullptr);  // the real viewer
  RealModalPrompts modalPrompts;
  form->addMenu();  // an item the delete confirmation can ask about
  test::child<gui::MenuTreeView>(form.get(), "treeView")
      ->selectItem(form->document().tree().root()->children().back().get());
  const std::size_t items = form->document().tree().itemCount();
  struct Case {
    const char* command;
    std::function<void()> open;
    const char* topic;
    // What F1 goes to when it is not the modal window's focus (the palette, opened from the dialog).
    std::function<QWidget*(QWidget* modal)> target = {};
  };
  auto openPalette = [](QWidget* modal) -> QWidget* {
    auto* button = modal->findChild<gui::ColorButton*>();
    if (!button) return nullptr;
    button->setPopupOpen(true);
    return button->popup()->isVisible() ? button->popup() : nullptr;
  };
  const std::vector<Case> cases = {
      {"Project settings", [&] { form->editProjectSettings(); }, "/topics/project_settings.htm"},
      {"Language", [&] { form->chooseLanguage(); }, "/topics/languages.htm"},
      {"Remove menu", [&] { form->removeSelected(); }, "/topics/delete_item.htm"},
      {"Generate (folder browser)", [&] { form->generateFiles(); }, "/topics/generating.htm"},
      {"About", [&] { form->showAbout(); }, "/topics/about.htm"},
      {"Palette", [&] { form->editProjectSettings(); }, "/topics/colour_palette.htm", openPalette},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    bool inspected = false;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      // Closed however the checks end, so a failure never leaves the test waiting in the dialog.
      const std::unique_ptr<QWidget, void (*)(QWidget*)> closer(modal, [](QWidget* w) { w->close(); });
      QWidget* focus = QApplication::focusWidget();
      QWidget* target = c.target ? c.target(modal) : (focus && focus->window() == modal ? focus : modal);
      ASSERT_NE(target, nullptr);
      QTest::keyClick(target, Qt::Key_F1);
      if (c.target) modal->findChild<gui::ColorButton*>()->setPopupOpen(false);
      const QList<gui::HelpViewer*> open = visibleViewers();
      ASSERT_EQ(open.size(), 1);
      gui::HelpViewer* viewer = open[0];
      EXPECT_EQ(viewer->currentTopic(), QString::fromLatin1(c.topic));
      ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
      // A real click on the Search tab reaches the viewer: a window the modal one blocks would drop it.
      viewer->tabs()->setCurrentIndex(0);
      QTabBar* bar = viewer->tabs()->tabBar();
      // Sent to the window as the window system would, so the toolkit's modal blocking applies.
      QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, bar->mapTo(viewer, bar->tabRect(2).center()));
      EXPECT_EQ(viewer->tabs()->currentIndex(), 2);
      EXPECT_EQ(QApplication::activeModalWidget(), modal);  // the dialog is still open
      // ... and still keeps the main window from taking input.
      QPushButton* set = test::child<QPushButton>(form.get(), "setButton");
      QSignalSpy clicks(set, &QPushButton::clicked);
      QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, set->mapTo(form.get(), set->rect().center()));
      EXPECT_EQ(clicks.count(), 0) << "the main window took a click past the modal window";
      inspected = true;
    });
    c.open();
    EXPECT_TRUE(inspected);
  }
  EXPECT_EQ(form->document().tree().itemCount(), items) << "Remove was not cancelled";
  EXPECT_TRUE(modalPrompts.warnings.isEmpty()) << modalPrompts.warnings.join(u'\n').toStdString();
}

// The Index and Search tabs, by keyboard: a keyword typed opens its topic, words searched list the topics
// that hold them, and Back and Forward walk the topics read.
TEST(HelpViewer, IndexSearchAndHistoryByKeyboard) {
  TempDir dir;
  gui::HelpViewer viewer;
  ASSERT_TRUE(viewer.openFile(QString::fromStdString(copyHelpFileTo(dir.path()))));
  viewer.bringToFront();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
  ASSERT_TRUE(viewer.showContext(1000));

  viewer.tabs()->setCurrentIndex(1);
  ASSERT_TRUE(viewer.indexEdit()->hasFocus());
  QTest::keyClicks(viewer.indexEdit(), QStringLiteral("deleting"));
  ASSERT_NE(viewer.indexList()->currentItem(), nullptr);
  EXPECT_EQ(viewer.indexList()->currentItem()->text(), QStringLiteral("Deleting an item"));
  QTest::keyClick(viewer.indexEdit(), Qt::Key_Return);
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/delete_item.htm"));

  viewer.tabs()->setCurrentIndex(2);
  ASSERT_TRUE(viewer.searchEdit()->hasFocus());
  QTest::keyClicks(viewer.searchEdit(), QStringLiteral("HONEYCOMB colour"));
  QTest::keyClick(viewer.searchEdit(), Qt::Key_Return);  // lists
  ASSERT_GE(viewer.searchResults()->count(), 1);
  EXPECT_EQ(viewer.searchResults()->item(0)->text(), QStringLiteral("The colour palette"));
  QTest::keyClick(viewer.searchEdit(), Qt::Key_Return);  // opens the first
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/colour_palette.htm"));

  QTest::keyClick(&viewer, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/delete_item.htm"));
  QTest::keyClick(&viewer, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/main_window.htm"));
  QTest::keyClick(&viewer, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/delete_item.htm"));

  // Words no topic holds give one line that opens nothing.
  viewer.searchEdit()->setText(QStringLiteral("zyxwvut"));
  viewer.runSearch();
  ASSERT_EQ(viewer.searchResults()->count(), 1);
  EXPECT_EQ(viewer.searchResults()->item(0)->flags(), Qt::NoItemFlags);

  if (qEnvironmentVariableIsSet("CORVANTEL_HELP_TABS_SHOT")) {
    viewer.searchEdit()->setText(QStringLiteral("colour"));
    viewer.runSearch();
    viewer.grab().save(qEnvironmentVariable("CORVANTEL_HELP_TABS_SHOT"));
  }
}
