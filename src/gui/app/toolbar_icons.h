#pragma once

#include <QIcon>

class QPainter;

namespace corvantel::gui {

// The 16 x 16 pictures of the tool bar, by index: 0 an open folder, 1 a disk,
// 2 a web page, 3 add menu, 4 add submenu, 5 remove menu, 6 project settings, 8 a new sheet, 9 undo, 10 redo. Any other
// index gives an empty icon.
QIcon toolbarIcon(int index);

// Draws picture `index` on a 16 x 16 grid (scale the painter for larger sizes). Returns false for an
// index without a picture.
bool paintToolbarIcon(QPainter& painter, int index);

}  // namespace corvantel::gui
