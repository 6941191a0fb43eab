// The whole program in one language: the shipped German file switches the status line, the folder
// browser and the toolkit's own texts (standard buttons, key names in shortcuts) at once, and back; a
// language file that cannot be used is said, not silently replaced by English.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QPushButton>
#include <QTemporaryDir>

#include "gui/app/main_window.h"
#include "gui/i18n/toolkit_translation.h"
#include "gui/widgets/color_popup.h"
#include "gui/widgets/folder_browse_dialog.h"
#include "gui/widgets/help_viewer.h"
#include <QTabWidget>
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace corvantel::gui {
namespace {

const std::string kLanguageFolder = std::string(CORVANTEL_SOURCE_DIR) + "/Language/";

class ToolkitLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    StartOptions options;
    options.programFolder = folder.path().toStdString() + "/";
    form = std::make_unique<MainWindow>(options);
  }
  void TearDown() override {
    form.reset();
    installToolkitTranslation(QString());  // the next test starts in the toolkit's English
  }
  void use(const std::string& languageFile) {
    form->translator().setLanguageFile(languageFile);
    form->translateWindows();
  }
  QString shortcutText() const {
    return test::child<QAction>(form.get(), "newProjectAction")->shortcut().toString(QKeySequence::NativeText);
  }
  static QString yesButtonText() {
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
  }
  // The folder browser's texts as it shows them: title, root item, New folder button.
  QStringList folderBrowserTexts() {
    QStringList seen;
    prompts.answerDialog(QDialog::Rejected, [&seen](QDialog* d) {
      auto* browser = static_cast<FolderBrowseDialog*>(d);
      seen << browser->windowTitle() << browser->rootText() << browser->newFolderButton()->text();
    });
    test::child<FolderBrowseDialog>(form.get(), "outputFolderDialog")->browse();
    return seen;
  }

  QTemporaryDir folder;
  test::ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> form;
};

TEST_F(ToolkitLanguage, GermanAndBackWithoutRestart) {
  use(kLanguageFolder + "german.lng");
  EXPECT_EQ(form->statusText(), QStringLiteral("Neues Projekt (noch nicht gespeichert)"));
  form->document().setModified(true);
  EXPECT_EQ(form->statusText(), QStringLiteral("Neues Projekt (noch nicht gespeichert)  \u2022 ungespeicherte Änderungen"));
  EXPECT_EQ(folderBrowserTexts(), (QStringList{"Ordner suchen", "Arbeitsplatz", "Neuer Ordner"}));
  // Texts that live outside the window's own controls: the tool bar's hints and the palette's.
  EXPECT_EQ(test::child<QAction>(form.get(), "newProjectButton")->toolTip(), QStringLiteral("Neues Projekt"));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Neues Projekt[*] \u2014 Corvantel 2"));
  form->showGeneratedFolder(QStringLiteral("/tmp/out"));
  EXPECT_TRUE(form->statusText().endsWith(QStringLiteral("Erzeugt in /tmp/out")));
  EXPECT_EQ(ColorPopup::texts().colorName(0), QStringLiteral("Schwarz"));
  EXPECT_EQ(ColorPopup::texts().intensity, QStringLiteral("Helligkeit: %1%"));

  const bool haveGerman =
      QFileInfo::exists(QDir(toolkitTranslationFolder()).filePath(QStringLiteral("qtbase_de.qm")));
  if (haveGerman) {
    EXPECT_EQ(shortcutText(), QStringLiteral("Strg+N"));
    EXPECT_EQ(yesButtonText(), QStringLiteral("&Ja"));
  }
  if (qEnvironmentVariableIsSet("CORVANTEL_GERMAN_SHOTS")) {  // pictures to look at, not checks
    const QString to = qEnvironmentVariable("CORVANTEL_GERMAN_SHOTS");
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The start-up that showing runs reads the language of Corvantel.ini and makes a new project.
    use(kLanguageFolder + "german.lng");
    form->document().setModified(true);
    QTest::qWait(100);  // the menu bar lays its new buttons out
    form->grab().save(to + QStringLiteral("/window.png"));
    auto* menu = test::child<QMenu>(form.get(), "fileMenu");
    menu->popup(form->mapToGlobal(QPoint(0, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->grab().save(to + QStringLiteral("/file_menu.png"));
    menu->hide();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Corvantel"), form->translate("Do you want to save this project ?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, form.get());
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.grab().save(to + QStringLiteral("/save_question.png"));
    HelpViewer viewer;
    viewer.openFile(QString::fromUtf8(CORVANTEL_PROGRAM_DIR) + QStringLiteral("/Corvantel.chm"));
    viewer.showContext(1010);
    viewer.tabs()->setCurrentIndex(1);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    viewer.grab().save(to + QStringLiteral("/help_viewer.png"));
    prompts.answerDialog(QDialog::Rejected, [&to](QDialog* d) {
      d->show();
      if (QTest::qWaitForWindowExposed(d)) d->grab().save(to + QStringLiteral("/folder_browser.png"));
      d->hide();
    });
    test::child<FolderBrowseDialog>(form.get(), "outputFolderDialog")->browse();
  }

  use(kLanguageFolder + "english.lng");
  EXPECT_EQ(form->statusText(),
            QStringLiteral("New project (not saved yet)  \u2022 unsaved changes | Generated into /tmp/out"));
  EXPECT_EQ(folderBrowserTexts(), (QStringList{"Browse for Folder", "Computer", "New folder"}));
  EXPECT_EQ(ColorPopup::texts().colorName(0), QStringLiteral("Black"));
  EXPECT_EQ(shortcutText(), QStringLiteral("Ctrl+N"));
  EXPECT_EQ(yesButtonText(), QStringLiteral("&Yes"));
  prompts.verifyAllUsed();
  if (!haveGerman) GTEST_SKIP() << "the toolkit's German translation (qt6-translations-l10n) is not installed";
}

TEST_F(ToolkitLanguage, ALanguageFileThatCannotBeReadIsReported) {
  // A folder where the file should be: unreadable, not missing.
  ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Language/broken.lng")));
  prompts.expectWarning();
  use(folder.filePath(QStringLiteral("Language/broken.lng")).toStdString());
  ASSERT_EQ(prompts.texts(test::ScriptedPrompts::Kind::Warning).size(), 1);
  EXPECT_TRUE(prompts.texts(test::ScriptedPrompts::Kind::Warning)[0].contains(QStringLiteral("broken.lng")));
  // A missing file is the ordinary English, without a word.
  use(folder.filePath(QStringLiteral("Language/none.lng")).toStdString());
  prompts.verifyAllUsed();
  EXPECT_EQ(prompts.texts(test::ScriptedPrompts::Kind::Warning).size(), 1);
}

}  // namespace
}  // namespace corvantel::gui
