#pragma once

#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QWidget;

namespace corvantel::gui {

// One caption of a window: the English text, which is also its key in the language files, and what puts
// a text into the control.
struct Caption {
  const char* english;
  std::function<void(const QString&)> apply;
};

// The captions of a window in the order the translation looks them up. The window's first build gives
// every entry its English text; the translation gives it the current language's text. A control whose
// caption follows the language is in its window's table and nowhere else.
using CaptionTable = std::vector<Caption>;

Caption caption(QAction* action, const char* english);
Caption caption(QMenu* menu, const char* english);  // the menu's title
Caption caption(QAbstractButton* button, const char* english);
Caption caption(QLabel* label, const char* english);
Caption caption(QGroupBox* box, const char* english);
Caption windowTitleCaption(QWidget* window, const char* english);

// Every entry gets its English text.
void applyEnglish(const CaptionTable& table);
// Every entry gets `lookup(english)`, in the table's order.
void applyCaptions(const CaptionTable& table, const std::function<QString(const char*)>& lookup);

}  // namespace corvantel::gui
