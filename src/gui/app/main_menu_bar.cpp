#include "gui/app/main_menu_bar.h"

#include <QMenu>

namespace corvantel::gui {

MainMenuBar::MainMenuBar(QWidget* parent) : QToolBar(parent) {
  setObjectName(QStringLiteral("mainMenuBar"));
  setMovable(false);
  setFloatable(false);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  setStyleSheet(QStringLiteral("QToolBar { border: 0px; }"));
  setProperty("helpContext", 1000);
}

void MainMenuBar::setMenu(QMenu* menu) {
  // Free the buttons of the earlier binding, last to first.
  while (!m_buttons.isEmpty()) {
    QToolButton* b = m_buttons.takeLast();
    delete b;
  }
  clear();
  m_menu = menu;
  if (!m_menu) return;
  const QList<QAction*> items = m_menu->actions();
  for (int i = 0; i < items.size(); ++i) {
    QAction* item = items.at(i);
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("MenuBarButton%1").arg(i));
    b->setAutoRaise(true);
    b->setText(item->text());  // keeps the "&": the button's mnemonic is Alt+letter
    b->setMinimumHeight(21);
    b->setFocusPolicy(Qt::NoFocus);
    b->setProperty("helpContext", 1000);
    connect(b, &QToolButton::clicked, this, [this, i] { dropDown(i); });
    addWidget(b);
    m_buttons.append(b);
  }
}

void MainMenuBar::dropDown(int i) {
  if (!m_menu) return;
  const QList<QAction*> items = m_menu->actions();
  if (i < 0 || i >= items.size() || !items.at(i)->menu()) return;
  QToolButton* b = m_buttons.value(i);
  if (!b) return;
  QMenu* sub = items.at(i)->menu();
  b->setDown(true);
  connect(sub, &QMenu::aboutToHide, b, [b] { b->setDown(false); }, Qt::SingleShotConnection);
  sub->popup(b->mapToGlobal(QPoint(0, b->height())));
}

}  // namespace corvantel::gui
