// Window translation: every caption of the main window, the project settings dialog and the output folder
// dialog follows the current language file, the menu bar's buttons included.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <vector>

#include "core/ini/ini_file.h"
#include "gui/app/main_window.h"
#include "gui/app/main_menu_bar.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/widgets/folder_browse_dialog.h"
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
  auto s = [](F& f) { return f.ProjectSettings; };
  return {
      {"&File", [](F& f) { return f.File1->title(); }},
      {"&New project", [](F& f) { return f.Newproject1->text(); }},
      {"&Open project", [](F& f) { return f.Openproject1->text(); }},
      {"&Save project", [](F& f) { return f.Saveproject1->text(); }},
      {"Save project &as", [](F& f) { return f.Saveprojectas1->text(); }},
      {"&Project settings", [](F& f) { return f.Projectsettings1->text(); }},
      {"&Generate files from project", [](F& f) { return f.Generatefilefromproject1->text(); }},
      {"&Language", [](F& f) { return f.Language1->text(); }},
      {"&Exit", [](F& f) { return f.Exit1->text(); }},
      {"&Menu items", [](F& f) { return f.Menuitems1->title(); }},
      {"Add &menu", [](F& f) { return f.Addmenu1->text(); }},
      {"Add &submenu", [](F& f) { return f.Addsubmenu1->text(); }},
      {"&Remove menu", [](F& f) { return f.Removemenu1->text(); }},
      {"&Help", [](F& f) { return f.Help1->title(); }},
      {"&Contents", [](F& f) { return f.Contents1->text(); }},
      {"Ombrel &web page", [](F& f) { return f.Ombrelwebpage1->text(); }},
      {"&About", [](F& f) { return f.About1->text(); }},
      {"Page parameters", [s](F& f) { return s(f)->GroupBox1->title(); }},
      {"Page &title", [s](F& f) { return s(f)->Label7->text(); }},
      {"&Author", [s](F& f) { return s(f)->Label8->text(); }},
      {"&Encoding", [s](F& f) { return s(f)->Label9->text(); }},
      {"Menu parameters", [s](F& f) { return s(f)->GroupBox2->title(); }},
      {"Menu &width", [s](F& f) { return s(f)->Label10->text(); }},
      {"Item &padding", [s](F& f) { return s(f)->Label13->text(); }},
      {"Keep parent menu &highlited", [s](F& f) { return s(f)->KeepHilite->text(); }},
      {"Font parameters", [s](F& f) { return s(f)->GroupBox3->title(); }},
      {"Font &family", [s](F& f) { return s(f)->Label11->text(); }},
      {"Style", [s](F& f) { return s(f)->Label12->text(); }},
      {"&Bold", [s](F& f) { return s(f)->FontBold->text(); }},
      {"&Italic", [s](F& f) { return s(f)->FontItalic->text(); }},
      {"Font color", [s](F& f) { return s(f)->Label2->text(); }},
      {"Font color - mouse over", [s](F& f) { return s(f)->Label4->text(); }},
      {"Background, border and separator parameters", [s](F& f) { return s(f)->GroupBox4->title(); }},
      {"Background color", [s](F& f) { return s(f)->Label1->text(); }},
      {"Background color - mouse over", [s](F& f) { return s(f)->Label6->text(); }},
      {"B&order width", [s](F& f) { return s(f)->Label14->text(); }},
      {"Border color", [s](F& f) { return s(f)->Label5->text(); }},
      {"&Separator size", [s](F& f) { return s(f)->Label15->text(); }},
      {"Separator color", [s](F& f) { return s(f)->Label16->text(); }},
      {"Menu type and position", [s](F& f) { return s(f)->GroupBox5->title(); }},
      {"&Javascript main menu", [s](F& f) { return s(f)->JSMenu->text(); }},
      {"Table main menu - &coded position", [s](F& f) { return s(f)->TableMenu->text(); }},
      {"Table main menu - &relative position", [s](F& f) { return s(f)->TableRelative->text(); }},
      {"Cancel", [s](F& f) { return s(f)->CancelButton->text(); }},
      {"Project settings", [s](F& f) { return s(f)->windowTitle(); }},
      {"Caption", [](F& f) { return f.Label1->text(); }},
      {"URL", [](F& f) { return f.URL->text(); }},
      {"&Set", [](F& f) { return f.SetButton->text(); }},
  };
}

QStringList menuBarCaptions(const MainWindow& form) {
  QStringList out;
  for (int i = 0; i < form.MenuBar->buttonCount(); ++i) out << form.MenuBar->button(i)->text();
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
  EXPECT_EQ(form->FolderBrowseDialog1->labelCaptions(), QStringList{"Default=[Current folder]:"});
  EXPECT_EQ(form->FolderBrowseDialog1->labelCaption(), QStringLiteral("[Current folder]:"));
  EXPECT_EQ(menuBarCaptions(*form), (QStringList{"[&File]", "[&Menu items]", "[&Help]"}));

  // A language file that does not exist: every caption is its key, and the folder dialog keeps one line.
  translateWith(folder.filePath(QStringLiteral("Language/none.lng")).toStdString());
  for (const Caption& c : captions()) EXPECT_EQ(c.text(*form), QString::fromUtf8(c.key));
  EXPECT_EQ(form->FolderBrowseDialog1->labelCaptions(), QStringList{"Default=Current folder:"});
  EXPECT_EQ(form->FolderBrowseDialog1->labelCaption(), QStringLiteral("Current folder:"));
  EXPECT_EQ(menuBarCaptions(*form), (QStringList{"&File", "&Menu items", "&Help"}));
  // The second folder dialog keeps its per-locale lines.
  EXPECT_GT(form->FolderBrowseDialog2->labelCaptions().size(), 1);
}

TEST_F(WindowTranslation, KeysMatchInAnyCaseAndEmptyValuesEmptyTheCaption) {
  translateWith(writeLanguage(QStringLiteral("de.lng"),
                              "[translations]\n&file=&Datei\nCAPTION=\n&set =  \xC3\x9C" "ber&nehmen  \n"
                              "current folder=Ausgew\xC3\xA4hlter Ordner\n"));
  EXPECT_EQ(form->File1->title(), QStringLiteral("&Datei"));
  EXPECT_EQ(form->MenuBar->button(0)->text(), QStringLiteral("&Datei"));
  EXPECT_EQ(form->Label1->text(), QString());
  EXPECT_EQ(form->SetButton->text(), QStringLiteral("\u00DCber&nehmen"));
  EXPECT_EQ(form->FolderBrowseDialog1->labelCaption(), QStringLiteral("Ausgew\u00E4hlter Ordner:"));
  EXPECT_EQ(form->Help1->title(), QStringLiteral("&Help"));  // not in the file
}

TEST_F(WindowTranslation, TranslatedAcceleratorsAreTheMnemonics) {
  form->show();  // start-up translates the windows with the language of Corvantel.ini first
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  translateWith(writeLanguage(QStringLiteral("de.lng"), "[Translations]\n&File=&Datei\n&Set=Über&nehmen\n"));
  EXPECT_EQ(form->MenuBar->button(0)->shortcut().toString(), QKeySequence(Qt::ALT | Qt::Key_D).toString());
  EXPECT_EQ(form->SetButton->shortcut().toString(), QKeySequence(Qt::ALT | Qt::Key_N).toString());

  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  // Alt+D drops the File menu down from its rebuilt button.
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->MenuBar->button(0)->isVisible(); }, 2000));
  QTest::keyClick(form.get(), Qt::Key_D, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->File1->isVisible(); }, 2000));
  form->File1->hide();
  prompts.verifyAllUsed();
}

}  // namespace
}  // namespace corvantel::gui
