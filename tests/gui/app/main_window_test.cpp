// The frame of the main window: the menu bar from the keyboard, the shortcuts, the tool bar.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>

#include "gui/app/toolbar_icons.h"
#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

TEST_F(MainWindowTest, TheMenuBarWorksFromTheKeyboard) {
  QMenuBar* bar = mainMenuBar();
  ASSERT_EQ(bar, form->menuBar());
  QStringList titles;
  for (QAction* a : bar->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Menu items", "&Help"}));
  EXPECT_EQ(action("contentsAction")->text(), QStringLiteral("&Contents\tF1"));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  captionEdit()->setFocus();

  // Alt+letter opens a menu; Right and Left go to the neighbouring menus.
  QTest::keyClick(captionEdit(), Qt::Key_M, Qt::AltModifier);
  ASSERT_TRUE(waitFor([&] { return menu("itemsMenu")->isVisible(); })) << "Alt+M opens the Menu items menu";
  QTest::keyClick(menu("itemsMenu"), Qt::Key_Right);
  ASSERT_TRUE(waitFor([&] { return menu("helpMenu")->isVisible(); })) << "Right opens the Help menu";
  EXPECT_FALSE(menu("itemsMenu")->isVisible());
  QTest::keyClick(menu("helpMenu"), Qt::Key_Left);
  ASSERT_TRUE(waitFor([&] { return menu("itemsMenu")->isVisible(); })) << "Left goes back";
  menu("itemsMenu")->close();
  ASSERT_TRUE(waitFor([&] { return !menu("itemsMenu")->isVisible(); }));

  // Alt alone puts the keyboard into the bar, on its first title, without opening a menu.
  form->activateWindow();
  captionEdit()->setFocus();
  QTest::keyClick(captionEdit(), Qt::Key_Alt, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), bar);
  EXPECT_EQ(bar->activeAction(), menu("fileMenu")->menuAction());
  EXPECT_FALSE(menu("fileMenu")->isVisible());
  QTest::keyClick(bar, Qt::Key_Escape);
  ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == captionEdit(); })) << "Esc gives the focus back";

  // F10 opens the first menu, and Right goes on from there.
  QTest::keyClick(captionEdit(), Qt::Key_F10);
  ASSERT_TRUE(waitFor([&] { return menu("fileMenu")->isVisible(); })) << "F10 opens the File menu";
  QTest::keyClick(menu("fileMenu"), Qt::Key_Right);
  ASSERT_TRUE(waitFor([&] { return menu("itemsMenu")->isVisible(); }));
  menu("itemsMenu")->close();
}

TEST_F(MainWindowTest, ShortcutsOfTheMenuWorkAnywhereInTheWindow) {
  EXPECT_EQ(action("newProjectAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(action("openProjectAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(action("saveProjectAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(action("generateAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
  EXPECT_EQ(action("exitAction")->shortcuts(),
            (QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_Q)}));
  EXPECT_EQ(action("saveProjectAsAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  // Ctrl+N from the caption field runs New project: an added item goes (no save question: scripted
  // as Yes/No/Cancel = No because the document is modified).
  form->addMenu();
  prompts.answerYesNoCancel(gui::UserPrompts::Answer::No);
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  captionEdit()->setFocus();
  QTest::keyClick(captionEdit(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(tree().itemCount(), 1u);
}

TEST_F(MainWindowTest, ToolBarButtonsCarryTheirHintsAndIcons) {
  struct Expected {
    QAction* action;
    const char* hint;
  };
  const Expected buttons[] = {
      {action("newProjectButton"), "New project"},   {action("openProjectButton"), "Open project"},
      {action("saveProjectButton"), "Save project"}, {action("generateButton"), "Generate files from project"},
      {action("addMenuButton"), "Add menu"},         {action("addSubmenuButton"), "Add submenu to selected menu"},
      {action("removeMenuButton"), "Remove menu"},   {action("projectSettingsButton"), "Project settings"}};
  int previousX = -1;
  for (const Expected& e : buttons) {
    EXPECT_EQ(e.action->toolTip(), QString::fromLatin1(e.hint));
    EXPECT_FALSE(e.action->icon().isNull()) << e.hint;
    QWidget* w = toolBar()->widgetForAction(e.action);
    ASSERT_NE(w, nullptr) << e.hint;
    EXPECT_GT(w->x(), previousX) << "in the order of the layout: " << e.hint;
    previousX = w->x();
  }
  EXPECT_EQ(toolBar()->iconSize(), QSize(16, 16));
}

// The pictures are drawn, distinct from each other, and use more than one colour.
TEST(ToolbarIcons, EveryPictureIsDrawnAndDistinct) {
  std::vector<QImage> images;
  for (int index : {0, 1, 2, 3, 4, 5, 6, 8}) {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    ASSERT_TRUE(gui::paintToolbarIcon(painter, index)) << index;
    painter.end();
    int opaque = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if (qAlpha(image.pixel(x, y)) > 128) {
          ++opaque;
          colours.insert(image.pixel(x, y));
        }
      }
    }
    EXPECT_GT(opaque, 40) << "picture " << index << " is nearly empty";
    EXPECT_GT(colours.size(), 3) << "picture " << index << " is flat";
    for (const QImage& other : images) EXPECT_NE(image, other) << "picture " << index << " repeats another";
    images.push_back(image);
  }
  QImage none(16, 16, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&none);
  EXPECT_FALSE(gui::paintToolbarIcon(painter, 7));
  EXPECT_TRUE(gui::toolbarIcon(7).isNull());
}

}  // namespace
}  // namespace corvantel::test
