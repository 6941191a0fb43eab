// Window translation and the language command of the main window.
#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "core/i18n/language_list.h"
#include "gui/app/main_window.h"
#include "gui/app/main_menu_bar.h"
#include "gui/app/user_prompts.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/i18n/language_list_view.h"
#include "gui/i18n/language_dialog.h"
#include "gui/widgets/folder_browse_dialog.h"

namespace corvantel::gui {

void MainWindow::setUpLocalization() {
  // One language dialog for the whole run: its list and selection persist between openings.
  LangDial = new LanguageDialog(this);
}

void MainWindow::fillLanguageList() {
  // Filled once, at start-up; files added later show up at the next start.
  for (const i18n::LanguageEntry& entry : i18n::listLanguageFiles(ProgramFolder)) {
    LangDial->LangList->addRow({QString::fromStdString(entry.language), QString::fromStdString(entry.localized),
                                QString::fromStdString(entry.path)});
  }
}

void MainWindow::chooseLanguage() {
  if (prompts().execDialog(LangDial) != QDialog::Accepted) return;
  const QString file = LangDial->selectedFile();
  if (file.isEmpty()) return;  // OK without a chosen row keeps the current language
  m_translator.setLanguageFile(file.toStdString());
  translateWindows();
}

void MainWindow::translateWindows() {
  // The main menu.
  File1->menuAction()->setText(translate("&File"));
  Newproject1->setText(translate("&New project"));
  Openproject1->setText(translate("&Open project"));
  Saveproject1->setText(translate("&Save project"));
  Saveprojectas1->setText(translate("Save project &as"));
  Projectsettings1->setText(translate("&Project settings"));
  Generatefilefromproject1->setText(translate("&Generate files from project"));
  Language1->setText(translate("&Language"));
  Exit1->setText(translate("&Exit"));
  Menuitems1->menuAction()->setText(translate("&Menu items"));
  Addmenu1->setText(translate("Add &menu"));
  Addsubmenu1->setText(translate("Add &submenu"));
  Removemenu1->setText(translate("&Remove menu"));
  Help1->menuAction()->setText(translate("&Help"));
  Contents1->setText(translate("&Contents"));
  Ombrelwebpage1->setText(translate("Ombrel &web page"));
  About1->setText(translate("&About"));

  // The output folder dialog: one line for every locale, so the label follows the program's language.
  if (FolderBrowseDialog1) {
    FolderBrowseDialog1->setLabelCaptions({QStringLiteral("Default=") + translate("Current folder") + u':'});
  }

  // The menu bar's buttons are made anew from the menu, with its new captions.
  MenuBar->setMenu(RealMenu);

  // The project settings dialog.
  if (ProjectSettingsDialog* d = ProjectSettings) {
    d->GroupBox1->setTitle(translate("Page parameters"));
    d->Label7->setText(translate("Page &title"));
    d->Label8->setText(translate("&Author"));
    d->Label9->setText(translate("&Encoding"));
    d->GroupBox2->setTitle(translate("Menu parameters"));
    d->Label10->setText(translate("Menu &width"));
    d->Label13->setText(translate("Item &padding"));
    d->KeepHilite->setText(translate("Keep parent menu &highlited"));
    d->GroupBox3->setTitle(translate("Font parameters"));
    d->Label11->setText(translate("Font &family"));
    d->Label12->setText(translate("Style"));
    d->FontBold->setText(translate("&Bold"));
    d->FontItalic->setText(translate("&Italic"));
    d->Label2->setText(translate("Font color"));
    d->Label4->setText(translate("Font color - mouse over"));
    d->GroupBox4->setTitle(translate("Background, border and separator parameters"));
    d->Label1->setText(translate("Background color"));
    d->Label6->setText(translate("Background color - mouse over"));
    d->Label14->setText(translate("B&order width"));
    d->Label5->setText(translate("Border color"));
    d->Label15->setText(translate("&Separator size"));
    d->Label16->setText(translate("Separator color"));
    d->GroupBox5->setTitle(translate("Menu type and position"));
    d->JSMenu->setText(translate("&Javascript main menu"));
    d->TableMenu->setText(translate("Table main menu - &coded position"));
    d->TableRelative->setText(translate("Table main menu - &relative position"));
    d->CancelButton->setText(translate("Cancel"));
    d->setWindowTitle(translate("Project settings"));
  }

  // The editing panel.
  Label1->setText(translate("Caption"));
  URL->setText(translate("URL"));
  SetButton->setText(translate("&Set"));
  // The button keeps its layout width unless its caption needs more.
  SetButton->resize(std::max(75, SetButton->sizeHint().width()), SetButton->height());

  // Commands added to the File menu beside the fixed list follow the language too.
  Previewinbrowser1->setText(translate("Pre&view in browser"));
}

}  // namespace corvantel::gui
