// Window translation and the language command of the main window.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "gui/app/main_form.h"
#include "gui/app/menu_bar.h"

namespace corvantel::gui {

void TCorvantelMainForm::setUpLocalization() {}

void TCorvantelMainForm::FillLanguageList() {}

void TCorvantelMainForm::Language1Click() {}

void TCorvantelMainForm::TranslateWindows() {
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
  MenuBar->setMenu(RealMenu);
  Label1->setText(Translate("Caption"));
  URL->setText(Translate("URL"));
  SetButton->setText(Translate("&Set"));
}

}  // namespace corvantel::gui
