// The generation command of the main window.
#include "gui/app/main_form.h"

namespace corvantel::gui {

void TCorvantelMainForm::setUpGenerator() {}

void TCorvantelMainForm::Button1Click() {}

}  // namespace corvantel::gui
