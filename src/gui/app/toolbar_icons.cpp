#include "gui/app/toolbar_icons.h"

#include <QApplication>
#include <QStyle>

namespace corvantel::gui {

QIcon toolbarIcon(int index) {
  QStyle* s = QApplication::style();
  switch (index) {
    case 0: return s->standardIcon(QStyle::SP_DialogOpenButton);
    case 1: return s->standardIcon(QStyle::SP_DialogSaveButton);
    case 2: return s->standardIcon(QStyle::SP_ComputerIcon);
    case 3: return s->standardIcon(QStyle::SP_FileDialogNewFolder);
    case 4: return s->standardIcon(QStyle::SP_ArrowRight);
    case 5: return s->standardIcon(QStyle::SP_TrashIcon);
    case 6: return s->standardIcon(QStyle::SP_FileDialogDetailedView);
    case 8: return s->standardIcon(QStyle::SP_FileIcon);
    default: return {};
  }
}

}  // namespace corvantel::gui
