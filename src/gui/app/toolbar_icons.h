#pragma once

#include <QIcon>

namespace corvantel::gui {

// The 16 x 16 pictures of the tool bar's image list ImageList1, by index: 0 an open folder, 1 a disk,
// 2 a web page, 3 add menu, 4 add submenu, 5 remove menu, 6 project settings, 8 a new sheet.
QIcon toolbarIcon(int index);

}  // namespace corvantel::gui
