// The frame of the main window: the menu bar control and its re-binding, Alt+letter, the tool bar.
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

#include "gui/app/main_menu_bar.h"
#include "gui/app/toolbar_icons.h"
#include "main_window_fixture.h"

namespace corvantel::test {
namespace {

QStringList buttonTexts(const gui::MainMenuBar* bar) {
  QStringList out;
  for (int i = 0; i < bar->buttonCount(); ++i) out << bar->button(i)->text();
  return out;
}

TEST_F(MainWindowTest, MenuBarShowsOneButtonPerTopLevelMenuAndFollowsARebinding) {
  gui::MainMenuBar* bar = mainMenuBar();
  EXPECT_EQ(buttonTexts(bar), (QStringList{"&File", "&Menu items", "&Help"}));
  for (int i = 0; i < bar->buttonCount(); ++i) EXPECT_EQ(bar->button(i)->height(), 21) << i;

  // A translation changes the captions and binds the menu again.
  menu("fileMenu")->menuAction()->setText(QStringLiteral("&Datei"));
  menu("helpMenu")->menuAction()->setText(QStringLiteral("&Hilfe"));
  bar->setMenu(menu("mainMenu"));
  EXPECT_EQ(buttonTexts(bar), (QStringList{"&Datei", "&Menu items", "&Hilfe"}));

  QMenu other;
  other.addMenu(QStringLiteral("&One"));
  bar->setMenu(&other);
  EXPECT_EQ(buttonTexts(bar), QStringList{"&One"});
  bar->setMenu(nullptr);
  EXPECT_EQ(bar->buttonCount(), 0);
  EXPECT_EQ(bar->menu(), nullptr);
  bar->setMenu(menu("mainMenu"));
  EXPECT_EQ(bar->buttonCount(), 3);
  EXPECT_TRUE(bar->actions().size() == 3) << "no stale widget actions of earlier bindings stay on the bar";
}

TEST_F(MainWindowTest, ButtonClickAndAltLetterDropTheMenuDown) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::mouseClick(mainMenuBar()->button(2), Qt::LeftButton);
  ASSERT_TRUE(waitFor([&] { return menu("helpMenu")->isVisible(); })) << "a click on Help drops its menu";
  const QPoint below = mainMenuBar()->button(2)->mapToGlobal(QPoint(0, mainMenuBar()->button(2)->height()));
  EXPECT_EQ(menu("helpMenu")->pos(), below);
  menu("helpMenu")->close();
  ASSERT_TRUE(waitFor([&] { return !menu("helpMenu")->isVisible(); }));

  QTest::keyClick(form.get(), Qt::Key_M, Qt::AltModifier);
  ASSERT_TRUE(waitFor([&] { return menu("itemsMenu")->isVisible(); })) << "Alt+M drops the Menu items menu";
  EXPECT_TRUE(mainMenuBar()->button(1)->isDown());
  menu("itemsMenu")->close();
  ASSERT_TRUE(waitFor([&] { return !mainMenuBar()->button(1)->isDown(); }));

  // After a rebinding the new accelerator works and the old one is gone.
  menu("fileMenu")->menuAction()->setText(QStringLiteral("&Datei"));
  mainMenuBar()->setMenu(menu("mainMenu"));
  ASSERT_TRUE(waitFor([&] { return mainMenuBar()->button(0)->isVisible(); })) << "the new buttons show";
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form.get(), Qt::Key_D, Qt::AltModifier);
  ASSERT_TRUE(waitFor([&] { return menu("fileMenu")->isVisible(); })) << "Alt+D drops the renamed File menu";
  menu("fileMenu")->close();
}

TEST_F(MainWindowTest, ShortcutsOfTheMenuWorkAnywhereInTheWindow) {
  EXPECT_EQ(action("newProjectAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(action("openProjectAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(action("saveProjectAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(action("generateAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
  EXPECT_EQ(action("exitAction")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
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
