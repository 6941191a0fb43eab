// The language dialog: the list filled from the language folder at start-up, the choice applied at once,
// kept in Corvantel.ini and used at the next start.
#include "gui/i18n/language_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/ini/ini_file.h"
#include "gui/app/main_window.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/i18n/language_list_view.h"
#include "gui/widgets/folder_browse_dialog.h"
#include "support/gui/find_child.h"
#include "support/gui/scripted_prompts.h"

namespace corvantel::gui {
namespace {

using test::ScriptedPrompts;

class LanguageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QDir(folder.path()).mkpath(QStringLiteral("Language"));
    write("german.lng",
          "[Language]\r\nLanguage=German\r\nLocalized=Deutsch\r\n[Translations]\r\n&File=&Datei\r\n"
          "&Help=&Hilfe\r\nProject settings=Projekteinstellungen\r\nCurrent folder=Ausgew\xC3\xA4hlter Ordner\r\n");
    write("basque.lng", "[Language]\nLanguage=Basque\n[Translations]\n&File=&Fitxategia\n");
    write("nameless.lng", "[Language]\nLocalized=Niemand\n[Translations]\n&File=&Nobody\n");
  }
  void write(const char* name, const QByteArray& text) {
    QFile f(folder.filePath(QStringLiteral("Language/") + QString::fromLatin1(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QString languagePath(const char* name) const {
    return folder.filePath(QStringLiteral("Language/") + QString::fromLatin1(name));
  }
  std::unique_ptr<MainWindow> start() {
    StartOptions options;
    options.programFolder = folder.path().toStdString() + "/";
    auto form = std::make_unique<MainWindow>(options);
    form->show();  // runs the start-up steps: language, list, translation, new project
    return form;
  }
  int rowOf(MainWindow& form, const char* language) {
    LanguageListView* list = test::child<gui::LanguageDialog>(&form, "languageDialog")->languageList();
    for (int r = 0; r < list->rowCount(); ++r) {
      if (list->cellText(r, 0) == QLatin1String(language)) return r;
    }
    return -1;
  }
  // Scripts the dialog: select the row of `language` (nullptr: clear the selection), then close with `result`.
  void choose(MainWindow& form, const char* language, int result = QDialog::Accepted) {
    const int row = language ? rowOf(form, language) : -1;
    prompts.answerDialog(result,
                         [row](QDialog* d) { static_cast<LanguageDialog*>(d)->languageList()->selectRow(row); });
    form.chooseLanguage();
  }

  QTemporaryDir folder;
  ScriptedPrompts prompts;
};

TEST_F(LanguageDialogTest, ListsNamedLanguageFilesWithTheirPaths) {
  auto form = start();
  LanguageDialog* dialog = test::child<gui::LanguageDialog>(form.get(), "languageDialog");
  LanguageListView* list = dialog->languageList();
  ASSERT_EQ(list->rowCount(), 2);  // the file without a "Language" value is not offered
  EXPECT_EQ(list->cellText(0, 0), QStringLiteral("Basque"));
  EXPECT_EQ(list->cellText(0, 1), QString());  // no "Localized": empty second column
  EXPECT_EQ(list->cellText(0, 2), languagePath("basque.lng"));
  EXPECT_EQ(list->cellText(1, 0), QStringLiteral("German"));
  EXPECT_EQ(list->cellText(1, 1), QStringLiteral("Deutsch"));
  EXPECT_EQ(list->cellText(1, 2), languagePath("german.lng"));
  EXPECT_EQ(list->selectedRow(), -1);  // the current language is not preselected

  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Language"));
  EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Localized name of language"));
  EXPECT_EQ(list->columnWidth(0), 180);
  EXPECT_EQ(list->columnWidth(1), 180);
  EXPECT_TRUE(list->isColumnHidden(2));
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->scrollBarStyle(), LanguageListView::NormalScrollBars);
  EXPECT_TRUE(list->background().isNull());
  EXPECT_EQ(dialog->size(), QSize(419, 339));
  EXPECT_EQ(list->geometry(), QRect(8, 8, 393, 265));
  EXPECT_TRUE(dialog->okButton()->isDefault());
  for (QWidget* w : std::initializer_list<QWidget*>{dialog, list, dialog->okButton(), dialog->cancelButton()}) {
    EXPECT_EQ(w->property("helpContext").toInt(), 1002) << w->objectName().toStdString();
  }

  // Later files do not change the list: it is filled once, at start-up.
  write("welsh.lng", "[Language]\nLanguage=Welsh\n");
  choose(*form, nullptr, QDialog::Rejected);
  EXPECT_EQ(list->rowCount(), 2);
}

TEST_F(LanguageDialogTest, OkAppliesTheChoiceAtOnceCancelAndAnEmptyChoiceChangeNothing) {
  auto form = start();
  const std::string english = form->translator().languageFile();
  EXPECT_EQ(english, folder.path().toStdString() + "/Language/english.lng");

  choose(*form, "German", QDialog::Rejected);
  EXPECT_EQ(form->translator().languageFile(), english);
  EXPECT_EQ(test::child<QMenu>(form.get(), "fileMenu")->title(), QStringLiteral("&File"));

  choose(*form, nullptr);  // OK with no row selected
  EXPECT_EQ(form->translator().languageFile(), english);

  choose(*form, "German");
  EXPECT_EQ(form->translator().languageFile(), languagePath("german.lng").toStdString());
  EXPECT_EQ(test::child<QMenu>(form.get(), "fileMenu")->title(), QStringLiteral("&Datei"));
  EXPECT_EQ(form->menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
  EXPECT_EQ(form->menuBar()->actions().at(2)->text(), QStringLiteral("&Hilfe"));
  EXPECT_EQ(test::child<gui::ProjectSettingsDialog>(form.get(), "projectSettingsDialog")->windowTitle(),
            QStringLiteral("Projekteinstellungen"));
  EXPECT_EQ(test::child<gui::FolderBrowseDialog>(form.get(), "outputFolderDialog")->labelCaption(),
            QStringLiteral("Ausgew\u00E4hlter Ordner:"));

  // The selection stays for the next opening; choosing the same language again gives the same windows.
  prompts.answerDialog(QDialog::Accepted, [](QDialog* d) {
    EXPECT_EQ(static_cast<LanguageDialog*>(d)->languageList()->cellText(
                  static_cast<LanguageDialog*>(d)->languageList()->selectedRow(), 0),
              QStringLiteral("German"));
  });
  form->chooseLanguage();
  EXPECT_EQ(form->menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
  EXPECT_EQ(form->menuBar()->actions().size(), 3);

  choose(*form, "Basque");
  EXPECT_EQ(form->menuBar()->actions().at(0)->text(), QStringLiteral("&Fitxategia"));
  EXPECT_EQ(form->menuBar()->actions().at(2)->text(),
            QStringLiteral("&Help"));  // Basque has no text for it
  EXPECT_EQ(test::child<gui::ProjectSettingsDialog>(form.get(), "projectSettingsDialog")->windowTitle(),
            QStringLiteral("Project settings"));
  prompts.verifyAllUsed();
}

TEST_F(LanguageDialogTest, TheChoiceIsKeptInCorvantelIniForTheNextStart) {
  const std::string ini = folder.filePath(QStringLiteral("Corvantel.ini")).toStdString();
  {
    auto form = start();
    choose(*form, "German");
    ASSERT_TRUE(form->close());
  }
  EXPECT_EQ(ini::readString(ini, "Settings", "Language", ""), languagePath("german.lng").toStdString());

  auto again = start();
  EXPECT_EQ(again->translator().languageFile(), languagePath("german.lng").toStdString());
  EXPECT_EQ(test::child<QMenu>(again.get(), "fileMenu")->title(), QStringLiteral("&Datei"));
  EXPECT_EQ(again->menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
  EXPECT_EQ(test::child<gui::LanguageDialog>(again.get(), "languageDialog")->languageList()->selectedRow(), -1);
  ASSERT_TRUE(again->close());
  EXPECT_EQ(ini::readString(ini, "Settings", "Language", ""), languagePath("german.lng").toStdString());
  prompts.verifyAllUsed();
}

TEST(LanguageListView, BackgroundAndScrollBarStyles) {
  LanguageListView list;
  list.setColumns({QStringLiteral("A")}, {50});
  for (int i = 0; i < 50; ++i) list.addRow({QString::number(i)});
  list.resize(120, 80);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  EXPECT_TRUE(list.verticalScrollBar()->isVisible());

  QPixmap tile(4, 4);
  tile.fill(Qt::red);
  list.setBackground(tile);
  const QImage shot = list.viewport()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(shot.width() - 3, shot.height() - 3), QColor(Qt::red)) << "the tile shows behind the rows";
  list.setBackground(QPixmap());
  EXPECT_NE(list.viewport()->grab().toImage().pixelColor(shot.width() - 3, shot.height() - 3), QColor(Qt::red));

  list.setScrollBarStyle(LanguageListView::NoScrollBars);
  QTest::qWait(10);
  EXPECT_FALSE(list.verticalScrollBar()->isVisible());
  list.setScrollBarStyle(LanguageListView::FlatScrollBars);
  EXPECT_TRUE(QTest::qWaitFor([&] { return list.verticalScrollBar()->isVisible(); }, 1000));
  EXPECT_EQ(list.scrollBarStyle(), LanguageListView::FlatScrollBars);

  list.selectRow(3);
  EXPECT_EQ(list.selectedRow(), 3);
  list.selectRow(-1);
  EXPECT_EQ(list.selectedRow(), -1);
  EXPECT_EQ(list.cellText(99, 0), QString());
}

}  // namespace
}  // namespace corvantel::gui
