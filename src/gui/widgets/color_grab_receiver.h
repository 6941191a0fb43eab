#pragma once

#include <QObject>

namespace corvantel::gui {

class ColorPopup;

// While a colour palette is open, its button installs this receiver on the application: every pointer
// event meant for another widget of the program reaches the palette instead, in palette coordinates
// (so a press anywhere else closes it), and keys reach the palette's key handling before any widget or
// shortcut sees them. It complements the window-system grab, which some platforms do not offer.
class ColorGrabReceiver : public QObject {
  Q_OBJECT
 public:
  explicit ColorGrabReceiver(ColorPopup* popup, QObject* parent = nullptr);

  void start();
  void stop();
  bool active() const { return m_active; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ColorPopup* m_popup;
  bool m_active = false;
};

}  // namespace corvantel::gui
