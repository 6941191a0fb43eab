#include "gui/app/tree_row_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "gui/app/tree_images.h"

using namespace corvantel::gui;

namespace {

const QColor kOutside(1, 2, 3);  // what the image holds outside the row
const QColor kRow(255, 255, 255);
const QColor kHighlight(0, 120, 215);
const QColor kGrey(128, 128, 128);

// The worked example: level 1 under the root, with children, collapsed, row 18..35 of a 200-wide tree.
struct WorkedExample {
  std::vector<std::uint8_t> ancestors{0};
  TreeRowPaintState state;
  WorkedExample() {
    state.rowRect = QRect(0, 18, 200, 18);
    state.level = 1;
    state.hasChildren = true;
    state.ancestorHasNextSibling = ancestors;
    state.text = QStringLiteral("\t");
    state.fillColor = kRow;
    state.textColor = Qt::black;
  }
  QImage render() const {
    QImage img(200, 54, QImage::Format_RGB32);
    img.fill(kOutside);
    QPainter p(&img);
    paintTreeRow(p, state);
    return img;
  }
};

QColor at(const QImage& img, int x, int y) { return img.pixelColor(x, y); }

}  // namespace

TEST(TreeRowPainter, WorkedExamplePixels) {
  WorkedExample ex;
  const QImage img = ex.render();
  // Connector 32..41, end point left out.
  for (int x = 32; x <= 41; ++x) EXPECT_EQ(at(img, x, 27), kGrey) << x;
  EXPECT_EQ(at(img, 42, 27), kRow);
  // The line up shows above the box, from the row's top; it stops inside the row.
  for (int y = 18; y <= 22; ++y) EXPECT_EQ(at(img, 28, y), kGrey) << y;
  EXPECT_EQ(at(img, 28, 17), kOutside);
  // Box outline 24..31 x 23..30, row colour inside, nothing right of it on the top edge.
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(at(img, 24 + i, 23), kGrey) << i;
    EXPECT_EQ(at(img, 24 + i, 30), kGrey) << i;
    EXPECT_EQ(at(img, 24, 23 + i), kGrey) << i;
    EXPECT_EQ(at(img, 31, 23 + i), kGrey) << i;
  }
  EXPECT_EQ(at(img, 25, 24), kRow);
  EXPECT_EQ(at(img, 30, 29), kRow);
  EXPECT_EQ(at(img, 32, 23), kRow);
  EXPECT_EQ(at(img, 23, 27), kRow);
  // Minus 26..29 and upright 25..28, both without their end points.
  for (int x = 26; x <= 29; ++x) EXPECT_EQ(at(img, x, 27), kGrey) << x;
  EXPECT_EQ(at(img, 30, 27), kRow);
  for (int y = 25; y <= 28; ++y) EXPECT_EQ(at(img, 28, y), kGrey) << y;
  EXPECT_EQ(at(img, 28, 29), kRow);
  // No line down, and none in the root's column.
  EXPECT_EQ(at(img, 28, 32), kRow);
  EXPECT_EQ(at(img, 9, 27), kRow);
  // The row is filled across, and nothing else.
  EXPECT_EQ(at(img, 0, 18), kRow);
  EXPECT_EQ(at(img, 199, 35), kRow);
  EXPECT_EQ(at(img, 100, 36), kOutside);

  // Expanded: the upright goes, the minus stays.
  ex.state.expanded = true;
  const QImage open = ex.render();
  EXPECT_EQ(at(open, 28, 25), kRow);
  EXPECT_EQ(at(open, 27, 27), kGrey);
}

TEST(TreeRowPainter, SelectedRowIsHighlightedAcrossTheWholeWidthBoxIncluded) {
  WorkedExample ex;
  ex.state.fillColor = kHighlight;
  ex.state.textColor = Qt::white;
  ex.state.text = QStringLiteral("Products\t/products.html");
  const QImage img = ex.render();
  EXPECT_EQ(at(img, 0, 18), kHighlight);
  EXPECT_EQ(at(img, 199, 35), kHighlight);
  EXPECT_EQ(at(img, 25, 24), kHighlight);  // inside the box
  EXPECT_EQ(at(img, 9, 30), kHighlight);
  EXPECT_EQ(at(img, 35, 27), kGrey);  // lines stay grey
  EXPECT_EQ(at(img, 100, 17), kOutside);
}

TEST(TreeRowPainter, CaptionShowsWithoutItsAddress) {
  WorkedExample ex;
  ex.state.text = QStringLiteral("\t");
  const QImage empty = ex.render();
  ex.state.text = QStringLiteral("Home\t");
  const QImage caption = ex.render();
  ex.state.text = QStringLiteral("Home\thttp://www.example.com/a/rather/long/address.html");
  const QImage withAddress = ex.render();
  ex.state.text = QStringLiteral("Home\tx\ty");
  const QImage twoTabs = ex.render();
  ex.state.text = QStringLiteral("Home");  // no tab: no caption
  const QImage noTab = ex.render();

  EXPECT_NE(caption, empty);  // the caption is drawn
  EXPECT_EQ(withAddress, caption);
  EXPECT_EQ(twoTabs, caption);
  EXPECT_EQ(noTab, empty);
  // It starts at the caption's x: nothing of it left of 42.
  EXPECT_EQ(caption.copy(0, 0, 42, 54), empty.copy(0, 0, 42, 54));
}

TEST(TreeRowPainter, PictureSitsBeforeTheCaptionAndStaysWhole) {
  const TreeImages& images = TreeImages::standard();
  WorkedExample ex;
  ex.state.imageIndex = TreeImages::ClosedFolder;
  ex.state.text = QStringLiteral("\t");
  const QImage pictureOnly = ex.render();
  ex.state.text = QStringLiteral("WWWWWWWW\t");
  const QImage both = ex.render();

  // The picture, centred on the row (top 18 + 9 - 8 = 19), is the list's own, and the caption leaves
  // it whole.
  QImage expected(16, 16, QImage::Format_RGB32);
  expected.fill(kRow);
  {
    QPainter p(&expected);
    images.draw(p, 0, 0, TreeImages::ClosedFolder);
  }
  EXPECT_EQ(both.copy(42, 19, 16, 16), expected);
  EXPECT_EQ(pictureOnly.copy(42, 19, 16, 16), expected);
  EXPECT_NE(expected.pixelColor(8, 8), kRow);
  // The caption sits right of it.
  EXPECT_NE(both.copy(60, 18, 140, 18), pictureOnly.copy(60, 18, 140, 18));

  // No picture for -1 or an index outside the list.
  ex.state.text = QStringLiteral("\t");
  ex.state.imageIndex = -1;
  const QImage none = ex.render();
  ex.state.imageIndex = 99;
  EXPECT_EQ(ex.render(), none);
  EXPECT_EQ(none.pixelColor(50, 27), kRow);
}

TEST(TreeImages, FiveDistinctDrawnPictures) {
  const TreeImages& images = TreeImages::standard();
  ASSERT_EQ(images.count(), 5);
  for (int i = 0; i < images.count(); ++i) {
    const QImage a = images.image(i);
    ASSERT_EQ(a.size(), QSize(16, 16)) << i;
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) opaque += qAlpha(a.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 40) << "picture " << i << " is nearly empty";
    for (int j = 0; j < i; ++j) EXPECT_NE(a, images.image(j)) << i << " and " << j;
  }
  EXPECT_TRUE(images.image(-1).isNull());
  EXPECT_TRUE(images.image(5).isNull());
}

// At two device pixels per pixel the lines and the box outline stay one device pixel wide, unbroken.
TEST(TreeRowPainter, LinesAreOneDevicePixelAtRatioTwo) {
  WorkedExample ex;
  QImage img(400, 108, QImage::Format_RGB32);
  img.setDevicePixelRatio(2);
  img.fill(kOutside);
  {
    QPainter p(&img);
    paintTreeRow(p, ex.state);
  }
  // The line up in column 28 and the connector in row 27, at device pixels 56 and 54.
  for (int y = 36; y < 44; ++y) {
    EXPECT_EQ(at(img, 56, y), kGrey) << y;
    EXPECT_EQ(at(img, 57, y), kRow) << y;
  }
  for (int x = 64; x < 84; ++x) {
    EXPECT_EQ(at(img, x, 54), kGrey) << x;
    EXPECT_EQ(at(img, x, 55), kRow) << x;
  }
  // The box: its ring one device pixel inside its outer edge, the row colour within.
  EXPECT_EQ(at(img, 48, 50), kGrey);
  EXPECT_EQ(at(img, 49, 50), kRow);
  EXPECT_EQ(at(img, 52, 46), kGrey);
  EXPECT_EQ(at(img, 52, 47), kRow);
}
