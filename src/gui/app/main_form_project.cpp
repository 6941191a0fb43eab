// The project commands of the main window: New, Open, Save, Save as, Exit, the close question, and the
// project settings command.
#include "core/document/document.h"
#include "gui/app/main_form.h"
#include "gui/app/menu_tree_view.h"

namespace corvantel::gui {

void TCorvantelMainForm::setUpProjectFiles() {}

void TCorvantelMainForm::NewProjectClick() {
  m_document.resetToNewProject();
  if (MenuItem* selected = TreeView1->selectedItem()) fillEditFields(selected);
  m_document.setProjectFileName(kNoProjectName);
}

void TCorvantelMainForm::Openproject1Click() {}
void TCorvantelMainForm::Saveproject1Click() {}
void TCorvantelMainForm::Saveprojectas1Click() {}
void TCorvantelMainForm::Exit1Click() { close(); }
bool TCorvantelMainForm::FormCloseQuery() { return true; }
void TCorvantelMainForm::Saver(const std::string&) {}
void TCorvantelMainForm::Opener(const std::string&) {}
void TCorvantelMainForm::ProjectSettClick() {}

}  // namespace corvantel::gui
