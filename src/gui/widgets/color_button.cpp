#include "gui/widgets/color_button.h"

#include <QPainter>

namespace corvantel::gui {

TColorButton::TColorButton(QWidget* parent) : QWidget(parent) { resize(57, 22); }

void TColorButton::setSelectionColor(Color color) {
  if (color == m_selectionColor) return;
  m_selectionColor = color;
  update();
  Q_EMIT OnChange();
}

void TColorButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().button());
  p.fillRect(QRect(4, 4, 32, 14), QColor(m_selectionColor & 0xFF, (m_selectionColor >> 8) & 0xFF,
                                          (m_selectionColor >> 16) & 0xFF));
}

}  // namespace corvantel::gui
