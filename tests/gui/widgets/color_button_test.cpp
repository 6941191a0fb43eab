#include "gui/widgets/color_button.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "core/palette/color_palette_locate.h"
#include "core/palette/color_palette_table.h"
#include "gui/document/project_settings_dialog.h"
#include "gui/widgets/color_popup.h"
#include "support/gui/find_child.h"

using corvantel::document::makeColor;
using corvantel::gui::ColorButton;
using corvantel::gui::ColorPopup;
using namespace corvantel;
namespace w = corvantel::palette;

namespace {

// A shown window holding one button as this program sets them up.
struct Host {
  QWidget window;
  ColorButton* button;
  Host() {
    window.resize(300, 200);
    button = new ColorButton(&window);
    button->setCustomText(QStringLiteral("More colors"));
    button->setPopupSpacing(8);
    button->setGeometry(20, 20, 57, 22);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  ~Host() { button->setPopupOpen(false); }
  ColorPopup* popup() const { return button->popup(); }
  QImage render() const { return button->grab().toImage(); }
  void pressArrow() const { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(50, 11)); }
  QPoint cellCentre(int cell) const {
    const w::Rect r = w::cellRect(popup()->paletteLayout(), cell);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // A click on the palette: press and release at the same point.
  void clickPalette(QPoint p) const {
    QTest::mousePress(popup(), Qt::LeftButton, {}, p);
    if (popup()->isVisible()) QTest::mouseRelease(popup(), Qt::LeftButton, {}, p);
  }
};

// Pixels compare as 8-bit red-green-blue: palette colours carry more precision than an image keeps.
QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
QRgb rgb(const QColor& c) { return c.rgb() & 0xFFFFFF; }

}  // namespace

TEST(ColorButtonPaint, IndicatorDividerAndArrowWhereTheFacePutsThem) {
  Host h;
  h.button->setSelectionColor(document::makeColor(255, 0, 0));
  const QImage img = h.render();
  ASSERT_EQ(img.size(), QSize(57, 22));
  const QPalette pal = h.button->palette();
  const QRgb shadow = rgb(pal.color(QPalette::Dark));
  const QRgb red = qRgb(255, 0, 0) & 0xFFFFFF;
  // Indicator (4, 4) to (36, 18): a shadow outline filled with the colour.
  EXPECT_EQ(at(img, 4, 4), shadow);
  EXPECT_EQ(at(img, 35, 17), shadow);
  EXPECT_EQ(at(img, 20, 4), shadow);
  EXPECT_EQ(at(img, 5, 5), red);
  EXPECT_EQ(at(img, 34, 16), red);
  EXPECT_NE(at(img, 36, 10), red);
  EXPECT_NE(at(img, 3, 10), shadow);
  // The divider.
  EXPECT_EQ(at(img, 41, 10), shadow);
  EXPECT_EQ(at(img, 42, 10), rgb(pal.color(QPalette::Light)));
  // The arrow: (46, 11), (52, 11), (49, 14), black.
  const QRgb black = 0;
  for (QPoint p : {QPoint(46, 11), QPoint(52, 11), QPoint(49, 14), QPoint(49, 12)})
    EXPECT_EQ(at(img, p.x(), p.y()), black) << p.x() << "," << p.y();
  EXPECT_NE(at(img, 45, 11), black);
  EXPECT_NE(at(img, 49, 15), black);
  EXPECT_NE(at(img, 49, 10), black);
}

TEST(ColorButtonPaint, PressedFaceMovesTheArrowAndDisabledDrawsItGrey) {
  Host h;
  QTest::mousePress(h.button, Qt::LeftButton, {}, QPoint(10, 10));
  QImage img = h.render();
  EXPECT_EQ(at(img, 47, 12), QRgb(0));
  EXPECT_EQ(at(img, 53, 12), QRgb(0));
  EXPECT_EQ(at(img, 50, 15), QRgb(0));
  EXPECT_NE(at(img, 46, 11), QRgb(0));
  EXPECT_EQ(at(img, 42, 10), rgb(h.button->palette().color(QPalette::Dark)));  // divider one pixel right
  QTest::mouseRelease(h.button, Qt::LeftButton, {}, QPoint(10, 10));

  h.button->setEnabled(false);
  img = h.render();
  EXPECT_EQ(at(img, 49, 12), rgb(h.button->palette().color(QPalette::Dark)));
  QSignalSpy changing(h.button, &ColorButton::dropDownChanging);
  h.pressArrow();
  EXPECT_EQ(changing.count(), 0);
  EXPECT_FALSE(h.popup()->isVisible());
}

TEST(ColorButton, ArrowOpensAndAnotherPressClosesWithoutAPick) {
  Host h;
  QSignalSpy changing(h.button, &ColorButton::dropDownChanging);
  QSignalSpy changed(h.button, &ColorButton::dropDownChanged);
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  h.pressArrow();
  EXPECT_TRUE(h.button->isPopupOpen());
  EXPECT_TRUE(h.popup()->isVisible());
  EXPECT_EQ(changing.count(), 1);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(h.popup()->selectedCell(), 0);  // black is located
  // The palette sits below the button, one pixel left of it.
  EXPECT_EQ(h.popup()->geometry().topLeft(), h.button->mapToGlobal(QPoint(-1, 22)));
  // The release of the opening press, over the button, keeps it open.
  QTest::mouseRelease(h.button, Qt::LeftButton, {}, QPoint(50, 11));
  EXPECT_TRUE(h.popup()->isVisible());
  // A second press on the arrow reaches the palette as a press outside it.
  h.pressArrow();
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_FALSE(h.button->isPopupOpen());
  EXPECT_EQ(changing.count(), 2);
  EXPECT_EQ(changed.count(), 2);
  EXPECT_EQ(change.count(), 0);
}

TEST(ColorButton, VetoKeepsThePaletteClosed) {
  Host h;
  QSignalSpy changed(h.button, &ColorButton::dropDownChanged);
  QObject::connect(h.button, &ColorButton::dropDownChanging, [](bool* allowed) { *allowed = false; });
  h.pressArrow();
  EXPECT_FALSE(h.button->isPopupOpen());
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(changed.count(), 0);
}

TEST(ColorButton, PickingSignalsAChangeOnlyForANewColour) {
  Host h;
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  h.pressArrow();
  h.clickPalette(h.cellCentre(0));  // black, already set
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(change.count(), 0);

  h.pressArrow();
  h.clickPalette(h.cellCentre(16));
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(255, 0, 0));
  EXPECT_EQ(change.count(), 1);

  h.button->setSelectionColor(document::makeColor(255, 0, 0));
  EXPECT_EQ(change.count(), 1);
  h.button->setSelectionColor(document::makeColor(1, 2, 3));
  EXPECT_EQ(change.count(), 2);
}

TEST(ColorButton, PressDragReleaseOnACellPicks) {
  Host h;
  h.pressArrow();
  // The press that opened the palette ends over a cell: that cell is picked.
  QTest::mouseMove(h.popup(), h.cellCentre(39));
  QTest::mouseRelease(h.popup(), Qt::LeftButton, {}, h.cellCentre(39));
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(255, 255, 255));
}

TEST(ColorButton, EscapeAndAPressOutsideCloseWithoutAPick) {
  Host h;
  h.button->setSelectionColor(document::makeColor(1, 2, 3));  // in no cell: a pick would choose Default
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  QSignalSpy defaults(h.button, &ColorButton::defaultSelected);
  h.pressArrow();
  QTest::keyClick(h.popup(), Qt::Key_Right);
  QTest::keyClick(h.popup(), Qt::Key_Escape);
  EXPECT_FALSE(h.popup()->isVisible());
  h.pressArrow();
  QTest::mousePress(h.popup(), Qt::LeftButton, {}, QPoint(-30, 40));
  EXPECT_FALSE(h.popup()->isVisible());
  h.pressArrow();
  QTest::mouseClick(&h.window, Qt::LeftButton, {}, QPoint(250, 150));  // elsewhere in the dialog
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(change.count(), 0);
  EXPECT_EQ(defaults.count(), 0);
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(1, 2, 3));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

TEST(ColorButton, KeyboardMovesAndPicks) {
  Host h;
  QSignalSpy defaults(h.button, &ColorButton::defaultSelected);
  h.button->setSelectionColor(document::makeColor(1, 2, 3));  // found nowhere
  h.button->setPopupOpen(true);
  EXPECT_EQ(h.popup()->selectedCell(), w::kCellNone);
  QTest::keyClick(h.popup(), Qt::Key_Return);  // nothing hovered or selected
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(defaults.count(), 1);
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(1, 2, 3));

  h.button->setPopupOpen(true);
  QTest::keyClick(h.popup(), Qt::Key_Down);  // from nothing: cell 0
  QTest::keyClick(h.popup(), Qt::Key_Down);
  QTest::keyClick(h.popup(), Qt::Key_Right);
  EXPECT_EQ(h.popup()->hoverCell(), 9);
  QTest::keyClick(h.popup(), Qt::Key_Space);
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(255, 102, 0));

  // From the selected cell when nothing is hovered.
  h.button->setPopupOpen(true);
  EXPECT_EQ(h.popup()->selectedCell(), 9);
  EXPECT_EQ(h.popup()->hoverCell(), w::kCellNone);
  QTest::keyClick(h.popup(), Qt::Key_Left);
  EXPECT_EQ(h.popup()->hoverCell(), 8);
  QTest::keyClick(h.popup(), Qt::Key_Escape);
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(255, 102, 0));
}

TEST(ColorButton, MoreColorsOpensTheCustomAreaAndACombPicks) {
  Host h;
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  h.pressArrow();
  ColorPopup* p = h.popup();
  const w::PaletteLayout& l = p->paletteLayout();
  const int normal = p->height();
  EXPECT_EQ(normal, l.normalHeight);
  h.clickPalette(h.cellCentre(w::kCellCustom));
  ASSERT_TRUE(p->isVisible());
  EXPECT_TRUE(p->customMode());
  EXPECT_EQ(p->height(), l.customHeight);
  EXPECT_EQ(p->y(), h.button->mapToGlobal(QPoint(0, 22)).y());  // it grows downward
  EXPECT_EQ(change.count(), 0);

  // A comb of the outer ring, picked with a click.
  const w::CombEntry comb = p->colorCombs()[60];
  const QPoint at(l.combCentre().x + comb.x, l.combCentre().y + comb.y);
  h.clickPalette(at);
  EXPECT_FALSE(p->isVisible());
  EXPECT_EQ(h.button->selectionColor(), comb.color);
  EXPECT_EQ(change.count(), 1);

  // Opening again with that colour comes back in custom mode with the comb chosen.
  h.button->setPopupOpen(true);
  EXPECT_TRUE(p->customMode());
  EXPECT_EQ(p->customIndex(), 61);
  EXPECT_EQ(p->height(), l.customHeight);
}

TEST(ColorButton, GreyCellsIntensityAndEmptySpots) {
  Host h;
  ColorPopup* p = h.popup();
  h.button->setSelectionColor(document::makeColor(195, 195, 195));  // grey cell 3
  h.button->setPopupOpen(true);
  ASSERT_TRUE(p->customMode());
  EXPECT_EQ(p->customIndex(), -4);
  const w::PaletteLayout& l = p->paletteLayout();

  // Choose a comb, then drag the intensity bar: the palette stays open, the comb keeps its index
  // and takes the new brightness.
  const w::CombEntry comb = p->colorCombs()[1];
  const QPoint combAt(l.combCentre().x + comb.x, l.combCentre().y + comb.y);
  QTest::mousePress(p, Qt::LeftButton, {}, combAt);
  EXPECT_EQ(p->customIndex(), 2);
  QTest::mouseMove(p, combAt + QPoint(200, 0));  // outside, button held: the choice stays
  QTest::mouseRelease(p, Qt::LeftButton, {}, combAt);
  EXPECT_FALSE(p->isVisible());
  const corvantel::document::Color bright = h.button->selectionColor();
  EXPECT_EQ(bright, comb.color);

  h.button->setPopupOpen(true);
  const QPoint barMiddle(l.intensityBar.left + 5, (l.intensityBar.top + l.intensityBar.bottom) / 2);
  QTest::mousePress(p, Qt::LeftButton, {}, barMiddle);
  QTest::mouseRelease(p, Qt::LeftButton, {}, barMiddle);
  ASSERT_TRUE(p->isVisible());
  EXPECT_NEAR(p->intensity(), 0.5f, 0.01f);
  EXPECT_EQ(p->customIndex(), 2);
  ASSERT_TRUE(p->customColor().has_value());
  EXPECT_NE(*p->customColor(), bright);
  EXPECT_LT(w::greenOf(*p->customColor()), w::greenOf(bright));

  // An empty spot of the custom area clears the choice; the release there closes the palette and
  // leaves the colour alone.
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  QTest::mousePress(p, Qt::LeftButton, {}, QPoint(l.combArea.left + 2, l.combArea.top + 2));
  EXPECT_EQ(p->customIndex(), 0);
  EXPECT_FALSE(p->customColor().has_value());
  EXPECT_TRUE(p->isVisible());
  QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(l.combArea.left + 2, l.combArea.top + 2));
  EXPECT_FALSE(p->isVisible());
  EXPECT_EQ(h.button->selectionColor(), bright);
  EXPECT_EQ(change.count(), 0);
}

TEST(ColorButton, PropertiesReachThePalette) {
  Host h;
  ColorPopup* p = h.popup();
  EXPECT_EQ(h.button->customText(), QStringLiteral("More colors"));
  EXPECT_EQ(h.button->popupSpacing(), 8);
  h.button->setPopupSpacing(-3);
  EXPECT_EQ(h.button->popupSpacing(), 0);
  EXPECT_EQ(p->paletteLayout().palette.width(), 148);
  h.button->setPopupSpacing(8);

  h.button->setDefaultText(QStringLiteral("Automatic"));
  h.button->setShowSystemColors(true);
  h.button->setSelectionColor(w::systemColorCode(15));
  h.button->setPopupOpen(true);
  EXPECT_EQ(p->selectedCell(), 55);
  EXPECT_EQ(p->height(), p->paletteLayout().normalHeight);
  // A colour set from code while open is located at once.
  h.button->setSelectionColor(w::kColorDefault);
  EXPECT_EQ(p->selectedCell(), w::kCellDefault);
  // Emptying CustomText while the custom cell is selected clears the selection.
  h.button->setSelectionColor(document::makeColor(225, 225, 225));
  EXPECT_EQ(p->selectedCell(), w::kCellCustom);
  h.button->setCustomText(QString());
  EXPECT_EQ(p->selectedCell(), w::kCellNone);
  EXPECT_EQ(p->height(), p->paletteLayout().normalHeight);
  QTest::keyClick(p, Qt::Key_Escape);

  QString asked;
  QObject::connect(h.button, &ColorButton::hintRequested, [&](int cell, QString* hint) {
    asked += QString::number(cell);
    *hint = QStringLiteral("hint");
  });
  EXPECT_EQ(h.button->hintFor(w::kCellDefault), QStringLiteral("hint"));
  EXPECT_EQ(asked, QStringLiteral("-3"));
}

TEST(ColorButton, FaceClicksAndGroups) {
  Host h;
  QSignalSpy clicks(h.button, &ColorButton::clicked);
  QSignalSpy changing(h.button, &ColorButton::dropDownChanging);
  QTest::mouseClick(h.button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks.count(), 1);
  QTest::mousePress(h.button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(h.button, QPoint(10, 60));
  QTest::mouseRelease(h.button, Qt::LeftButton, {}, QPoint(10, 60));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(changing.count(), 0);
  EXPECT_FALSE(h.popup()->isVisible());

  auto* second = new ColorButton(&h.window);
  second->setGeometry(100, 20, 57, 22);
  second->show();
  h.button->setGroupIndex(1);
  second->setGroupIndex(1);
  QTest::mouseClick(h.button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(h.button->isDown());
  QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(second->isDown());
  EXPECT_FALSE(h.button->isDown());
  QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(second->isDown());  // AllowAllUp false: it stays down
  second->setAllowAllUp(true);
  QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(second->isDown());
  h.button->setGroupIndex(0);
  h.button->setDown(true);
  EXPECT_FALSE(h.button->isDown());
}

// The whole way by keyboard: the focused button opens its palette, More colors opens the honeycomb, the
// arrows walk it with the hint following, and Enter takes the hexagon's colour.
TEST(ColorButtonKeyboard, FocusedButtonOpensThePaletteAndTheKeysReachTheHoneycomb) {
  Host h;
  ColorPopup* p = h.popup();
  h.window.activateWindow();
  h.button->setFocus();
  ASSERT_TRUE(h.button->hasFocus());
  for (auto [key, modifiers] : {std::pair{Qt::Key_Space, Qt::NoModifier}, std::pair{Qt::Key_Return, Qt::NoModifier},
                                std::pair{Qt::Key_F4, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier}}) {
    QTest::keyClick(h.button, key, modifiers);
    EXPECT_TRUE(p->isVisible()) << key;
    QTest::keyClick(h.button, Qt::Key_Escape);  // the grab takes the keys while open
    EXPECT_FALSE(p->isVisible()) << key;
  }
  QTest::keyClick(h.button, Qt::Key_Down);  // a plain arrow is no opening key
  EXPECT_FALSE(p->isVisible());

  QSignalSpy change(h.button, &ColorButton::colorChanged);
  QTest::keyClick(h.button, Qt::Key_Space);
  QTest::keyClick(p, Qt::Key_Right);  // from the selected black cell
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Brown"));
  QTest::keyClick(p, Qt::Key_Left);
  QTest::keyClick(p, Qt::Key_Up);  // off the top row: More colors
  EXPECT_EQ(p->hoverCell(), w::kCellCustom);
  QTest::keyClick(p, Qt::Key_Return);
  ASSERT_TRUE(p->isVisible());
  EXPECT_TRUE(p->customMode());
  EXPECT_EQ(p->keyArea(), ColorPopup::KeyArea::Combs);
  EXPECT_EQ(p->customIndex(), w::combChoice(0));
  EXPECT_EQ(QToolTip::text(), QStringLiteral("red: 255, green: 255, blue: 255 (#FFFFFF)"));
  QTest::keyClick(p, Qt::Key_Right);
  QTest::keyClick(p, Qt::Key_Right);
  const auto chosen = p->customColor();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_NE(*chosen, document::makeColor(255, 255, 255));
  EXPECT_TRUE(QToolTip::text().startsWith(QStringLiteral("red: %1,").arg(w::redOf(*chosen))));
  // The grey row and back: Down from the honeycomb's bottom ends in it, Left walks it.
  for (int i = 0; i < 20 && p->keyArea() == ColorPopup::KeyArea::Combs; ++i) QTest::keyClick(p, Qt::Key_Down);
  EXPECT_EQ(p->keyArea(), ColorPopup::KeyArea::Greys);
  EXPECT_LT(p->customIndex(), 0);
  QTest::keyClick(p, Qt::Key_Left);
  for (int i = 0; i < 20 && p->keyArea() != ColorPopup::KeyArea::Cells; ++i) QTest::keyClick(p, Qt::Key_Up);
  EXPECT_EQ(p->keyArea(), ColorPopup::KeyArea::Cells);
  EXPECT_EQ(p->hoverCell(), w::kCellCustom);
  QTest::keyClick(p, Qt::Key_Down);
  for (int i = 0; i < 3; ++i) QTest::keyClick(p, Qt::Key_Down);
  ASSERT_EQ(p->keyArea(), ColorPopup::KeyArea::Combs);
  ASSERT_GT(p->customIndex(), 0);
  const corvantel::document::Color picked = *p->customColor();
  QTest::keyClick(p, Qt::Key_Return);
  EXPECT_FALSE(p->isVisible());
  EXPECT_EQ(h.button->selectionColor(), picked);
  EXPECT_EQ(change.count(), 1);

  // The intensity bar by keys: Tab from the grey row, Down darkens, the palette stays open.
  QTest::keyClick(h.button, Qt::Key_Space);
  ASSERT_TRUE(p->customMode());
  QTest::keyClick(p, Qt::Key_Tab);
  QTest::keyClick(p, Qt::Key_Tab);
  QTest::keyClick(p, Qt::Key_Tab);
  EXPECT_EQ(p->keyArea(), ColorPopup::KeyArea::Bar);
  QTest::keyClick(p, Qt::Key_Down);
  EXPECT_NEAR(p->intensity(), 0.95f, 0.001f);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Intensity: 95%"));
  EXPECT_TRUE(p->isVisible());
  QTest::keyClick(p, Qt::Key_Escape);
  EXPECT_EQ(change.count(), 1);
}

TEST(ColorButtonKeyboard, ExactFieldTakesTheShortFormAndRefusesGarbage) {
  Host h;
  ColorPopup* p = h.popup();
  auto* field = p->findChild<QLineEdit*>(QStringLiteral("exactColorEdit"));
  ASSERT_NE(field, nullptr);
  h.button->setSelectionColor(p->greyCells()[3].color);  // opens in custom mode
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  h.button->setPopupOpen(true);
  ASSERT_TRUE(field->isVisible());
  EXPECT_EQ(field->text(), QStringLiteral("#C3C3C3"));  // the current colour, written the exact way
  EXPECT_GE(field->geometry().top(), p->paletteLayout().greyStrip.bottom);  // below the honeycomb
  QTest::keyClick(p, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(p->keyArea(), ColorPopup::KeyArea::Field);
  QTest::keyClicks(p, QStringLiteral("#12x"));
  EXPECT_FALSE(p->exactTextValid());
  QTest::keyClick(p, Qt::Key_Return);
  EXPECT_TRUE(p->isVisible());
  EXPECT_EQ(change.count(), 0);
  EXPECT_EQ(h.button->selectionColor(), p->greyCells()[3].color);
  QTest::keyClick(p, Qt::Key_Backspace);
  QTest::keyClicks(p, QStringLiteral("C"));
  EXPECT_TRUE(p->exactTextValid());
  QTest::keyClick(p, Qt::Key_Return);
  EXPECT_FALSE(p->isVisible());
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(0x11, 0x22, 0xCC));
  EXPECT_EQ(change.count(), 1);

  // "R, G, B", spaces and all, typed into the field after a click on it.
  h.button->setSelectionColor(p->greyCells()[3].color);
  h.button->setPopupOpen(true);
  const QPoint inField = field->geometry().center();
  QTest::mouseClick(p, Qt::LeftButton, {}, inField);
  EXPECT_EQ(p->keyArea(), ColorPopup::KeyArea::Field);
  field->selectAll();
  QTest::keyClicks(p, QStringLiteral("31, 63, 110"));
  QTest::keyClick(p, Qt::Key_Enter);
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(31, 63, 110));
}

// Near the bottom of the screen the palette of a button opened in custom mode is moved up over the
// button: the release of the opening click lands on a cell and must not pick it.
TEST(ColorButton, TheReleaseOfTheOpeningClickPicksNothingOverTheButton) {
  Host h;
  ColorPopup* p = h.popup();
  h.button->setSelectionColor(p->greyCells()[3].color);
  const int screenBottom = h.button->screen()->availableGeometry().bottom() + 1;
  const int wantedTop = screenBottom - p->paletteLayout().customHeight - 5;
  h.window.move(h.window.x(), h.window.y() + wantedTop - h.button->mapToGlobal(QPoint(0, 0)).y());
  QTest::qWait(20);
  ASSERT_EQ(h.button->mapToGlobal(QPoint(0, 0)).y(), wantedTop);
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  const QPoint press(50, 15);
  QTest::mousePress(h.button, Qt::LeftButton, {}, press);
  ASSERT_TRUE(p->isVisible());
  const QPoint global = h.button->mapToGlobal(press);
  ASSERT_TRUE(p->geometry().contains(global));
  const QPoint local = p->mapFromGlobal(global);
  ASSERT_TRUE(w::isColorCell(w::hitTestCell(p->paletteLayout(), {local.x(), local.y()})));
  QTest::mouseRelease(p, Qt::LeftButton, {}, local);
  EXPECT_TRUE(p->isVisible());
  EXPECT_EQ(change.count(), 0);
  // A real click on a cell still picks.
  QTest::mouseClick(p, Qt::LeftButton, {}, local);
  EXPECT_FALSE(p->isVisible());
  EXPECT_EQ(change.count(), 1);
}

// In the settings dialog every colour button is 57 x 22, takes the focus by Tab, and tells a screen
// reader its row's caption and its colour.
TEST(ColorButtonAccessibility, SettingsDialogButtonsAreNamedByTheirRows) {
  gui::ProjectSettingsDialog dialog;
  const std::pair<const char*, const char*> rows[] = {
      {"fontColorButton", "Font color"},
      {"fontColorOverButton", "Font color - mouse over"},
      {"backgroundColorButton", "Background color"},
      {"backgroundColorOverButton", "Background color - mouse over"},
      {"borderColorButton", "Border color"},
      {"separatorColorButton", "Separator color"},
  };
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  for (const auto& [name, caption] : rows) {
    auto* b = test::child<ColorButton>(&dialog, name);
    EXPECT_EQ(b->size(), QSize(57, 22)) << name;
    EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus) << name;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromLatin1(caption)) << name;
    b->setSelectionColor(document::makeColor(0x1F, 0x3F, 0x6E));
    EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("#1F3F6E")) << name;
  }
  // Enter on a button opens its palette rather than pressing OK, and Esc closes only the palette.
  auto* b = test::child<ColorButton>(&dialog, "borderColorButton");
  b->setFocus();
  QTest::keyClick(b, Qt::Key_Return);
  EXPECT_TRUE(b->isPopupOpen());
  QTest::keyClick(b, Qt::Key_Escape);
  EXPECT_FALSE(b->isPopupOpen());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
}

TEST(ColorButtonPaint, DarkPaletteArrowAndFocusFrame) {
  Host h;
  QPalette dark = h.button->palette();
  dark.setColor(QPalette::Button, QColor(53, 53, 53));
  dark.setColor(QPalette::Window, QColor(53, 53, 53));
  dark.setColor(QPalette::ButtonText, QColor(240, 240, 240));
  dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
  h.button->setPalette(dark);
  h.button->clearFocus();
  QImage img = h.render();
  EXPECT_EQ(at(img, 49, 12), rgb(QColor(240, 240, 240)));  // the arrow in the button text colour
  const QImage unfocused = img;
  QTest::keyClick(&h.window, Qt::Key_Tab);  // focus by the keyboard, which shows the focus frame
  ASSERT_TRUE(h.button->hasFocus());
  img = h.render();
  EXPECT_NE(img.copy(2, 2, 36, 18), unfocused.copy(2, 2, 36, 18));  // a focus frame round the indicator
  EXPECT_EQ(img.copy(5, 5, 30, 12), unfocused.copy(5, 5, 30, 12));  // the colour itself untouched
}
