#include "gui/widgets/color_grab_receiver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "gui/widgets/color_popup.h"

namespace corvantel::gui {

ColorGrabReceiver::ColorGrabReceiver(ColorPopup* popup, QObject* parent) : QObject(parent), m_popup(popup) {}

void ColorGrabReceiver::start() {
  if (m_active) return;
  m_active = true;
  qApp->installEventFilter(this);
}

void ColorGrabReceiver::stop() {
  if (!m_active) return;
  m_active = false;
  qApp->removeEventFilter(this);
}

bool ColorGrabReceiver::eventFilter(QObject* watched, QEvent* event) {
  if (!m_active || !m_popup->isVisible() || !watched->isWidgetType() || watched == m_popup) return false;
  // The palette's own field gets what the palette hands on to it.
  if (m_popup->isAncestorOf(static_cast<QWidget*>(watched))) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QEvent::Type type = event->type() == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress : event->type();
      QMouseEvent forwarded(type, m_popup->mapFromGlobal(mouse->globalPosition()), mouse->globalPosition(),
                            mouse->button(), mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
      QCoreApplication::sendEvent(m_popup, &forwarded);
      return true;
    }
    case QEvent::ShortcutOverride:
      // No shortcut of the dialog fires while the palette is open; the key arrives as a key press.
      event->accept();
      return true;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      return m_popup->handleKey(key->key(), key->modifiers(), key->text());
    }
    default:
      return false;
  }
}

}  // namespace corvantel::gui
