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
#include "gui/app/main_form.h"
#include "gui/app/menu_bar.h"
#include "gui/app/user_prompts.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/i18n/gx_list_view.h"
#include "gui/i18n/lang_dialog.h"
#include "gui/widgets/folder_browse_dialog.h"

namespace corvantel::gui {

void TCorvantelMainForm::setUpLocalization() {
  // One language dialog for the whole run: its list and selection persist between openings.
  LangDial = new TLangDial(this);
}

void TCorvantelMainForm::FillLanguageList() {
  // Filled once, at start-up; files added later show up at the next start.
  for (const i18n::LanguageEntry& entry : i18n::listLanguageFiles(ProgramFolder)) {
    LangDial->LangList->addRow({QString::fromStdString(entry.language), QString::fromStdString(entry.localized),
                                QString::fromStdString(entry.path)});
  }
}

void TCorvantelMainForm::Language1Click() {
  if (prompts().execDialog(LangDial) != QDialog::Accepted) return;
  const QString file = LangDial->selectedFile();
  if (file.isEmpty()) return;  // OK without a chosen row keeps the current language
  m_translator.setLanguageFile(file.toStdString());
  TranslateWindows();
}

void TCorvantelMainForm::TranslateWindows() {
  // The main menu.
  File1->menuAction()->setText(Translate("&File"));
  Newproject1->setText(Translate("&New project"));
  Openproject1->setText(Translate("&Open project"));
  Saveproject1->setText(Translate("&Save project"));
  Saveprojectas1->setText(Translate("Save project &as"));
  Projectsettings1->setText(Translate("&Project settings"));
  Generatefilefromproject1->setText(Translate("&Generate files from project"));
  Language1->setText(Translate("&Language"));
  Exit1->setText(Translate("&Exit"));
  Menuitems1->menuAction()->setText(Translate("&Menu items"));
  Addmenu1->setText(Translate("Add &menu"));
  Addsubmenu1->setText(Translate("Add &submenu"));
  Removemenu1->setText(Translate("&Remove menu"));
  Help1->menuAction()->setText(Translate("&Help"));
  Contents1->setText(Translate("&Contents"));
  Ombrelwebpage1->setText(Translate("Ombrel &web page"));
  About1->setText(Translate("&About"));

  // The output folder dialog: one line for every locale, so the label follows the program's language.
  if (FolderBrowseDialog1) {
    FolderBrowseDialog1->setLabelCaptions({QStringLiteral("Default=") + Translate("Current folder") + u':'});
  }

  // The menu bar's buttons are made anew from the menu, with its new captions.
  MenuBar->setMenu(RealMenu);

  // The project settings dialog.
  if (TProjectSettings* d = ProjectSettings) {
    d->GroupBox1->setTitle(Translate("Page parameters"));
    d->Label7->setText(Translate("Page &title"));
    d->Label8->setText(Translate("&Author"));
    d->Label9->setText(Translate("&Encoding"));
    d->GroupBox2->setTitle(Translate("Menu parameters"));
    d->Label10->setText(Translate("Menu &width"));
    d->Label13->setText(Translate("Item &padding"));
    d->KeepHilite->setText(Translate("Keep parent menu &highlited"));
    d->GroupBox3->setTitle(Translate("Font parameters"));
    d->Label11->setText(Translate("Font &family"));
    d->Label12->setText(Translate("Style"));
    d->FontBold->setText(Translate("&Bold"));
    d->FontItalic->setText(Translate("&Italic"));
    d->Label2->setText(Translate("Font color"));
    d->Label4->setText(Translate("Font color - mouse over"));
    d->GroupBox4->setTitle(Translate("Background, border and separator parameters"));
    d->Label1->setText(Translate("Background color"));
    d->Label6->setText(Translate("Background color - mouse over"));
    d->Label14->setText(Translate("B&order width"));
    d->Label5->setText(Translate("Border color"));
    d->Label15->setText(Translate("&Separator size"));
    d->Label16->setText(Translate("Separator color"));
    d->GroupBox5->setTitle(Translate("Menu type and position"));
    d->JSMenu->setText(Translate("&Javascript main menu"));
    d->TableMenu->setText(Translate("Table main menu - &coded position"));
    d->TableRelative->setText(Translate("Table main menu - &relative position"));
    d->CancelButton->setText(Translate("Cancel"));
    d->setWindowTitle(Translate("Project settings"));
  }

  // The editing panel.
  Label1->setText(Translate("Caption"));
  URL->setText(Translate("URL"));
  SetButton->setText(Translate("&Set"));
  // The button keeps its layout width unless its caption needs more.
  SetButton->resize(std::max(75, SetButton->sizeHint().width()), SetButton->height());

  // Commands added to the File menu beside the fixed list follow the language too.
  Previewinbrowser1->setText(Translate("Pre&view in browser"));
}

}  // namespace corvantel::gui
