// Help: the help hook's life in the main window and the Contents command.
#include "gui/app/main_form.h"

namespace corvantel::gui {

void TCorvantelMainForm::setUpHelp() {}
void TCorvantelMainForm::createHelpSystem() {}
void TCorvantelMainForm::tearDownHelp() {}
void TCorvantelMainForm::Contents1Click() {}

}  // namespace corvantel::gui
