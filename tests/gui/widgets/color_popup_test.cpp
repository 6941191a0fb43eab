#include "gui/widgets/color_popup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "core/palette/color_palette_table.h"
#include "gui/widgets/color_button.h"

using corvantel::document::makeColor;
using corvantel::gui::ColorButton;
using corvantel::gui::ColorPopup;
using namespace corvantel;
namespace w = corvantel::palette;

namespace {

struct Palette {
  QWidget window;
  ColorButton* button;
  Palette() {
    window.resize(300, 200);
    button = new ColorButton(&window);
    button->setCustomText(QStringLiteral("More colors"));
    button->setGeometry(20, 20, 57, 22);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  ~Palette() { button->setPopupOpen(false); }
  ColorPopup* popup() const { return button->popup(); }
  QImage render() const {
    QImage image(popup()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    popup()->paintPalette(p, image.rect());
    return image;
  }
  QPoint centreOf(int cell) const {
    const w::Rect r = w::cellRect(popup()->paletteLayout(), cell);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

QRgb at(const QImage& image, QPoint p) { return image.pixel(p) & 0xFFFFFF; }
QRgb rgb(const QColor& c) { return c.rgb() & 0xFFFFFF; }

}  // namespace

TEST(ColorPopupPaint, CellsSelectionAndCustomArea) {
  Palette h;
  h.button->setSelectionColor(document::makeColor(255, 0, 0));
  h.button->setPopupOpen(true);
  ColorPopup* p = h.popup();
  const QPalette pal = p->palette();
  QImage img = h.render();
  // Every pixel is painted; the swatches carry their colours, the selected cell a highlight background.
  EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, rgb(pal.color(QPalette::Light)));  // the raised border
  EXPECT_EQ(at(img, h.centreOf(16)), qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(at(img, h.centreOf(13)), qRgb(0, 0, 255) & 0xFFFFFF);
  const w::Rect red = w::cellRect(p->paletteLayout(), 16);
  const w::Rect blue = w::cellRect(p->paletteLayout(), 13);
  EXPECT_EQ(at(img, QPoint(red.left + 2, red.top + 2)), rgb(pal.color(QPalette::Light)));
  EXPECT_EQ(at(img, QPoint(blue.left + 2, blue.top + 2)), rgb(pal.color(QPalette::Button)));
  EXPECT_EQ(at(img, QPoint(red.left + 3, red.top + 3)), qRgb(128, 128, 128) & 0xFFFFFF);  // swatch outline
  for (int y = 0; y < img.height(); ++y) ASSERT_NE(img.pixel(img.width() / 2, y) & 0xFFFFFF, 0xFF00FFu) << y;

  // Custom mode: the centre comb is white at full intensity; the preview shows the chosen comb.
  QTest::mouseClick(p, Qt::LeftButton, {}, h.centreOf(w::kCellCustom));
  ASSERT_TRUE(p->customMode());
  const w::PaletteLayout& l = p->paletteLayout();
  const QPoint centre(l.combCentre().x, l.combCentre().y);
  img = h.render();
  EXPECT_EQ(at(img, centre), 0xFFFFFFu);
  EXPECT_EQ(at(img, QPoint(l.intensityBar.left + 2, l.intensityBar.top)), 0xFFFFFFu);
  EXPECT_EQ(at(img, QPoint(l.intensityBar.left + 2, l.intensityBar.bottom - 1)), 0u);
  const w::CombEntry comb = p->colorCombs()[100];
  QTest::mousePress(p, Qt::LeftButton, {}, centre + QPoint(comb.x, comb.y));
  img = h.render();
  const QPoint previewCentre((l.preview.left + l.preview.right) / 2, (l.preview.top + l.preview.bottom) / 2);
  EXPECT_EQ(at(img, previewCentre), rgb(ColorPopup::toQColor(comb.color)));
  EXPECT_EQ(at(img, centre + QPoint(comb.x, comb.y)), rgb(ColorPopup::toQColor(comb.color)));
  // The chosen comb's outline inverts the colours under it.
  const w::Point vertex = w::hexagonPoints(centre.x() + comb.x, centre.y() + comb.y, l.combCellSize)[0];
  EXPECT_NE(at(img, QPoint(vertex.x, vertex.y)), at(img, QPoint(vertex.x, vertex.y + 3)));
}

TEST(ColorPopup, KeysMeantForTheDialogReachThePalette) {
  Palette h;
  QSignalSpy change(h.button, &ColorButton::colorChanged);
  int shortcutFired = 0;
  auto* action = new QAction(&h.window);
  action->setShortcut(QKeySequence(Qt::Key_Right));
  h.window.addAction(action);
  QObject::connect(action, &QAction::triggered, [&] { ++shortcutFired; });
  h.button->setPopupOpen(true);
  // Sent to the dialog, as when the window system offers no keyboard grab.
  QTest::keyClick(&h.window, Qt::Key_Right);
  EXPECT_EQ(shortcutFired, 0);
  EXPECT_EQ(h.popup()->hoverCell(), 1);
  QTest::keyClick(&h.window, Qt::Key_Return);
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(h.button->selectionColor(), document::makeColor(153, 51, 0));
  EXPECT_EQ(change.count(), 1);
  // Closed again, the dialog has its keys back.
  QTest::keyClick(&h.window, Qt::Key_Right);
  EXPECT_EQ(shortcutFired, 1);
}

TEST(ColorPopup, AltAcceleratorsAndDefaultCell) {
  Palette h;
  QSignalSpy defaults(h.button, &ColorButton::defaultSelected);
  h.button->setDefaultText(QStringLiteral("&Automatic"));
  h.button->setCustomText(QStringLiteral("&More colors"));
  h.button->setPopupOpen(true);
  QTest::keyClick(h.popup(), Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(h.popup()->isVisible());
  EXPECT_TRUE(h.popup()->customMode());
  QTest::keyClick(h.popup(), Qt::Key_A, Qt::AltModifier);
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(defaults.count(), 1);
  EXPECT_EQ(h.button->selectionColor(), 0);

  h.button->setPopupOpen(true);
  QTest::mouseClick(h.popup(), Qt::LeftButton, {}, h.centreOf(w::kCellDefault));
  EXPECT_FALSE(h.popup()->isVisible());
  EXPECT_EQ(defaults.count(), 2);
}

TEST(ColorPopup, HintsNameCellsAndFollowThePointer) {
  Palette h;
  h.button->setPopupOpen(true);
  ColorPopup* p = h.popup();
  QTest::mouseMove(p, h.centreOf(16));
  EXPECT_EQ(p->hoverCell(), 16);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Red"));
  QObject::connect(h.button, &ColorButton::hintRequested, [](int cell, QString* hint) {
    if (cell == w::kCellCustom) *hint = QStringLiteral("Mix your own");
  });
  QTest::mouseMove(p, h.centreOf(w::kCellCustom));
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Mix your own"));
  QTest::mouseClick(p, Qt::LeftButton, {}, h.centreOf(w::kCellCustom));
  const w::PaletteLayout& l = p->paletteLayout();
  QTest::mouseMove(p, QPoint(l.intensityBar.left + 4, l.intensityBar.top + 10));
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Intensity: 100%"));
  const w::CombEntry grey = p->greyCells()[5];
  QTest::mouseMove(p, QPoint(l.greyStrip.left + grey.x, l.greyStrip.top + grey.y));
  EXPECT_EQ(QToolTip::text(), QStringLiteral("red: 165, green: 165, blue: 165 (#A5A5A5)"));
  h.button->setHintsShown(false);
  QTest::mouseMove(p, h.centreOf(13));
  EXPECT_EQ(p->hoverCell(), 13);
  EXPECT_NE(QToolTip::text(), QStringLiteral("Blue"));
}

// On a surface of two device pixels per pixel the custom area is composed at that density (one grey
// level per device row of the intensity bar), not drawn at one and blown up.
TEST(ColorPopupPaint, CustomAreaAtDevicePixelRatioTwo) {
  Palette h;
  h.button->setSelectionColor(h.popup()->greyCells()[3].color);
  h.button->setPopupOpen(true);
  ColorPopup* p = h.popup();
  ASSERT_TRUE(p->customMode());
  QImage image(p->size() * 2, QImage::Format_RGB32);
  image.setDevicePixelRatio(2);
  image.fill(Qt::magenta);
  {
    QPainter painter(&image);
    p->paintPalette(painter, p->rect());
  }
  const w::Rect& bar = p->paletteLayout().intensityBar;
  const int x = 2 * (bar.left + 3);
  const int y = 2 * (bar.top + bar.height() / 2);
  EXPECT_NE(image.pixel(x, y) & 0xFFFFFF, image.pixel(x, y + 1) & 0xFFFFFF);
  EXPECT_GT(qRed(image.pixel(x, y)), qRed(image.pixel(x, y + 1)));  // lighter above
  // The cells are where the layout puts them, in device pixels.
  EXPECT_EQ(image.pixel(2 * h.centreOf(16).x(), 2 * h.centreOf(16).y()) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
}

// With a dark palette the selected cell and the intensity pointer take roles that show on dark faces.
TEST(ColorPopupPaint, DarkPaletteSelectedCellAndPointer) {
  Palette h;
  ColorPopup* p = h.popup();
  QPalette dark = p->palette();
  dark.setColor(QPalette::Window, QColor(45, 45, 45));
  dark.setColor(QPalette::Button, QColor(45, 45, 45));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p->setPalette(dark);
  h.button->setSelectionColor(document::makeColor(255, 0, 0));
  h.button->setPopupOpen(true);
  QImage img = h.render();
  const w::Rect red = w::cellRect(p->paletteLayout(), 16);
  EXPECT_EQ(at(img, QPoint(red.left + 2, red.top + 2)), rgb(QColor(42, 130, 218)));
  QTest::keyClick(p, Qt::Key_Escape);

  h.button->setSelectionColor(p->greyCells()[3].color);
  h.button->setPopupOpen(true);
  img = h.render();
  const w::Rect& bar = p->paletteLayout().intensityBar;
  EXPECT_EQ(at(img, QPoint(bar.left + 14, bar.top)), rgb(QColor(230, 230, 230)));  // full intensity: at the top
}
