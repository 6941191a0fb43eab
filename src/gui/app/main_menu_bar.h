#pragma once

#include <QToolBar>
#include <QToolButton>
#include <QVector>

class QMenu;

namespace corvantel::gui {

// The menu bar: a tool bar that shows a main menu as a row of flat buttons, one per top-level item of the
// bound menu. A button shows the item's caption and drops its submenu down when pressed; Alt with the
// accelerator letter of a caption drops that menu down too.
class MainMenuBar : public QToolBar {
  Q_OBJECT
 public:
  explicit MainMenuBar(QWidget* parent = nullptr);

  QMenu* menu() const { return m_menu; }
  // Binds the bar to `menu` (its actions with submenus are the top-level items) and rebuilds the buttons.
  void setMenu(QMenu* menu);

  int buttonCount() const { return m_buttons.size(); }
  QToolButton* button(int i) const { return m_buttons.value(i); }

 private:
  void dropDown(int i);

  QMenu* m_menu = nullptr;
  QVector<QToolButton*> m_buttons;
};

}  // namespace corvantel::gui
