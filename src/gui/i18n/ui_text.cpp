#include "gui/i18n/ui_text.h"

namespace corvantel::gui {

namespace {
TextLookup& lookup() {
  static TextLookup current;
  return current;
}
}  // namespace

void setTextLookup(TextLookup l) { lookup() = std::move(l); }

QString uiText(const char* english) { return lookup() ? lookup()(english) : QString::fromUtf8(english); }

}  // namespace corvantel::gui
