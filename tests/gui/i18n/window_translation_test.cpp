// Window translation: every caption of the main window, the project settings dialog and the output folder
// dialog follows the current language file, the menu bar's titles included.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <vector>

#include "core/ini/ini_file.h"
#include "gui/app/main_window.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/widgets/folder_browse_dialog.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace corvantel::gui {
namespace {

struct Caption {
  const char* key;
  std::function<QString(MainWindow&)> text;
};

// Every caption that follows the language, with the English text that is its key.
std::vector<Caption> captions() {
  using F = MainWindow;
  auto s = [](F& f) { return test::child<gui::ProjectSettingsDialog>(&f, "projectSettingsDialog"); };
  return {
      {"&File", [](F& f) { return test::child<QMenu>(&f, "fileMenu")->title(); }},
      {"&New project", [](F& f) { return test::child<QAction>(&f, "newProjectAction")->text(); }},
      {"&Open project", [](F& f) { return test::child<QAction>(&f, "openProjectAction")->text(); }},
      {"&Save project", [](F& f) { return test::child<QAction>(&f, "saveProjectAction")->text(); }},
      {"Save project &as", [](F& f) { return test::child<QAction>(&f, "saveProjectAsAction")->text(); }},
      {"&Project settings", [](F& f) { return test::child<QAction>(&f, "projectSettingsAction")->text(); }},
      {"&Generate files from project", [](F& f) { return test::child<QAction>(&f, "generateAction")->text(); }},
      {"&Language", [](F& f) { return test::child<QAction>(&f, "languageAction")->text(); }},
      {"&Exit", [](F& f) { return test::child<QAction>(&f, "exitAction")->text(); }},
      {"&Menu items", [](F& f) { return test::child<QMenu>(&f, "itemsMenu")->title(); }},
      {"Add &menu", [](F& f) { return test::child<QAction>(&f, "addMenuAction")->text(); }},
      {"Add &submenu", [](F& f) { return test::child<QAction>(&f, "addSubmenuAction")->text(); }},
      {"&Remove menu", [](F& f) { return test::child<QAction>(&f, "removeMenuAction")->text(); }},
      {"&Help", [](F& f) { return test::child<QMenu>(&f, "helpMenu")->title(); }},
      {"&Contents", [](F& f) { return test::child<QAction>(&f, "contentsAction")->text().section(u'\t', 0, 0); }},
      {"Ombrel &web page", [](F& f) { return test::child<QAction>(&f, "makerWebPageAction")->text(); }},
      {"&About", [](F& f) { return test::child<QAction>(&f, "aboutAction")->text(); }},
      {"Page parameters", [s](F& f) { return test::child<QGroupBox>(s(f), "pageGroup")->title(); }},
      {"Page &title", [s](F& f) { return test::child<QLabel>(s(f), "pageTitleLabel")->text(); }},
      {"&Author", [s](F& f) { return test::child<QLabel>(s(f), "authorLabel")->text(); }},
      {"&Encoding", [s](F& f) { return test::child<QLabel>(s(f), "encodingLabel")->text(); }},
      {"Menu parameters", [s](F& f) { return test::child<QGroupBox>(s(f), "menuGroup")->title(); }},
      {"Menu &width", [s](F& f) { return test::child<QLabel>(s(f), "menuWidthLabel")->text(); }},
      {"Item &padding", [s](F& f) { return test::child<QLabel>(s(f), "itemPaddingLabel")->text(); }},
      {"Keep parent menu &highlited", [s](F& f) { return test::child<QCheckBox>(s(f), "keepHighlightCheck")->text(); }},
      {"Font parameters", [s](F& f) { return test::child<QGroupBox>(s(f), "fontGroup")->title(); }},
      {"Font &family", [s](F& f) { return test::child<QLabel>(s(f), "fontFamilyLabel")->text(); }},
      {"Style", [s](F& f) { return test::child<QLabel>(s(f), "styleLabel")->text(); }},
      {"&Bold", [s](F& f) { return test::child<QCheckBox>(s(f), "boldCheck")->text(); }},
      {"&Italic", [s](F& f) { return test::child<QCheckBox>(s(f), "italicCheck")->text(); }},
      {"Font color", [s](F& f) { return test::child<QLabel>(s(f), "fontColorLabel")->text(); }},
      {"Font color - mouse over", [s](F& f) { return test::child<QLabel>(s(f), "fontColorOverLabel")->text(); }},
      {"Background, border and separator parameters",
       [s](F& f) { return test::child<QGroupBox>(s(f), "backgroundGroup")->title(); }},
      {"Background color", [s](F& f) { return test::child<QLabel>(s(f), "backgroundColorLabel")->text(); }},
      {"Background color - mouse over",
       [s](F& f) { return test::child<QLabel>(s(f), "backgroundColorOverLabel")->text(); }},
      {"B&order width", [s](F& f) { return test::child<QLabel>(s(f), "borderWidthLabel")->text(); }},
      {"Border color", [s](F& f) { return test::child<QLabel>(s(f), "borderColorLabel")->text(); }},
      {"&Separator size", [s](F& f) { return test::child<QLabel>(s(f), "separatorSizeLabel")->text(); }},
      {"Separator color", [s](F& f) { return test::child<QLabel>(s(f), "separatorColorLabel")->text(); }},
      {"Menu type and position", [s](F& f) { return test::child<QGroupBox>(s(f), "menuTypeGroup")->title(); }},
      {"&Javascript main menu", [s](F& f) { return test::child<QRadioButton>(s(f), "scriptMenuRadio")->text(); }},
      {"Table main menu - &coded position",
       [s](F& f) { return test::child<QRadioButton>(s(f), "tableMenuRadio")->text(); }},
      {"Table main menu - &relative position",
       [s](F& f) { return test::child<QRadioButton>(s(f), "relativeTableMenuRadio")->text(); }},
      {"Cancel", [s](F& f) { return test::child<QPushButton>(s(f), "cancelButton")->text(); }},
      {"Project settings", [s](F& f) { return s(f)->windowTitle(); }},
      {"Caption", [](F& f) { return test::child<QLabel>(&f, "captionLabel")->text(); }},
      {"URL", [](F& f) { return test::child<QLabel>(&f, "urlLabel")->text(); }},
      {"&Set", [](F& f) { return test::child<QPushButton>(&f, "setButton")->text(); }},
  };
}

QStringList menuBarCaptions(const MainWindow& form) {
  QStringList out;
  for (const QAction* a : form.menuBar()->actions()) out << a->text();
  return out;
}

class WindowTranslation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    StartOptions options;
    options.programFolder = folder.path().toStdString() + "/";
    form = std::make_unique<MainWindow>(options);
  }
  std::string writeLanguage(const QString& name, const QByteArray& text) {
    QDir(folder.path()).mkpath(QStringLiteral("Language"));
    const QString path = folder.filePath(QStringLiteral("Language/") + name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path.toStdString();
  }
  void translateWith(const std::string& languageFile) {
    form->translator().setLanguageFile(languageFile);
    form->translateWindows();
  }

  QTemporaryDir folder;
  test::ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> form;
};

TEST_F(WindowTranslation, EveryCaptionFollowsTheLanguageAndFallsBackToItsKey) {
  // A language that marks every text the shipped English file lists: a caption the windows never look up,
  // or one the English file lacks, stays unmarked.
  const std::string english = std::string(CORVANTEL_SOURCE_DIR) + "/Language/english.lng";
  QByteArray marked = "[Translations]\r\n";
  for (const std::string& key : ini::IniFile::load(english).keys("Translations")) {
    marked += QByteArray::fromStdString(key + "=[" + key + "]\r\n");
  }
  translateWith(writeLanguage(QStringLiteral("marked.lng"), marked));
  for (const Caption& c : captions()) {
    EXPECT_EQ(c.text(*form), QStringLiteral("[%1]").arg(QString::fromUtf8(c.key))) << c.key;
  }
  EXPECT_EQ(test::child<gui::FolderBrowseDialog>(form.get(), "outputFolderDialog")->labelCaptions(),
            QStringList{"Default=[Current folder]:"});
  EXPECT_EQ(test::child<gui::FolderBrowseDialog>(form.get(), "outputFolderDialog")->labelCaption(),
            QStringLiteral("[Current folder]:"));
  EXPECT_EQ(menuBarCaptions(*form), (QStringList{"[&File]", "[&Menu items]", "[&Help]"}));

  // A language file that does not exist: every caption is its key, and the folder dialog keeps one line.
  translateWith(folder.filePath(QStringLiteral("Language/none.lng")).toStdString());
  for (const Caption& c : captions()) EXPECT_EQ(c.text(*form), QString::fromUtf8(c.key));
  EXPECT_EQ(test::child<gui::FolderBrowseDialog>(form.get(), "outputFolderDialog")->labelCaptions(),
            QStringList{"Default=Current folder:"});
  EXPECT_EQ(test::child<gui::FolderBrowseDialog>(form.get(), "outputFolderDialog")->labelCaption(),
            QStringLiteral("Current folder:"));
  EXPECT_EQ(menuBarCaptions(*form), (QStringList{"&File", "&Menu items", "&Help"}));
}

TEST_F(WindowTranslation, KeysMatchInAnyCaseAndEmptyValuesEmptyTheCaption) {
  translateWith(writeLanguage(QStringLiteral("de.lng"),
                              "[translations]\n&file=&Datei\nCAPTION=\n&set =  \xC3\x9C"
                              "ber&nehmen  \n"
                              "current folder=Ausgew\xC3\xA4hlter Ordner\n"));
  EXPECT_EQ(test::child<QMenu>(form.get(), "fileMenu")->title(), QStringLiteral("&Datei"));
  EXPECT_EQ(form->menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
  EXPECT_EQ(test::child<QLabel>(form.get(), "captionLabel")->text(), QString());
  EXPECT_EQ(test::child<QPushButton>(form.get(), "setButton")->text(), QStringLiteral("\u00DCber&nehmen"));
  EXPECT_EQ(test::child<gui::FolderBrowseDialog>(form.get(), "outputFolderDialog")->labelCaption(),
            QStringLiteral("Ausgew\u00E4hlter Ordner:"));
  EXPECT_EQ(test::child<QMenu>(form.get(), "helpMenu")->title(), QStringLiteral("&Help"));  // not in the file
}

TEST_F(WindowTranslation, TranslatedAcceleratorsAreTheMnemonics) {
  form->show();  // start-up translates the windows with the language of Corvantel.ini first
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  translateWith(writeLanguage(QStringLiteral("de.lng"), "[Translations]\n&File=&Datei\n&Set=Über&nehmen\n"));
  EXPECT_EQ(test::child<QPushButton>(form.get(), "setButton")->shortcut().toString(),
            QKeySequence(Qt::ALT | Qt::Key_N).toString());

  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  // Alt+D opens the renamed File menu, and Alt+F opens nothing any more.
  QTest::keyClick(form.get(), Qt::Key_F, Qt::AltModifier);
  QTest::qWait(50);
  EXPECT_FALSE(test::child<QMenu>(form.get(), "fileMenu")->isVisible());
  QTest::keyClick(form.get(), Qt::Key_D, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return test::child<QMenu>(form.get(), "fileMenu")->isVisible(); }, 2000));
  test::child<QMenu>(form.get(), "fileMenu")->hide();
  prompts.verifyAllUsed();
}

}  // namespace
}  // namespace corvantel::gui
