#pragma once

#include <QString>
#include <functional>

namespace corvantel::gui {

// The program's language for the windows that are not the main window's own: the folder browser, the
// help window and their messages look their texts up here when they show them. The main window installs
// its translation; until it does (and in tests that make a widget alone) every text is its English.
using TextLookup = std::function<QString(const char* english)>;
void setTextLookup(TextLookup lookup);
QString uiText(const char* english);

}  // namespace corvantel::gui
