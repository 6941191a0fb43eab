#include "gui/app/tree_images.h"

#include <QPainter>
#include <QPolygon>

namespace corvantel::gui {

namespace {

const QColor kFolderEdge(128, 96, 24);
const QColor kFolderFill(244, 206, 92);
const QColor kFolderLight(252, 232, 160);
const QColor kFolderShade(214, 170, 56);
const QColor kSheetEdge(112, 112, 112);
const QColor kSheetFill(255, 255, 255);
const QColor kSheetFold(224, 224, 224);
const QColor kSheetText(120, 140, 176);
const QColor kSignEdge(96, 96, 96);
const QColor kSignFill(248, 248, 248);
const QColor kSignMark(24, 64, 152);

QImage blank() {
  QImage img(TreeImages::kWidth, TreeImages::kHeight, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

// Outlined rectangle covering x..x+w-1, y..y+h-1.
void box(QPainter& p, int x, int y, int w, int h, const QColor& edge, const QColor& fill) {
  p.fillRect(x, y, w, h, edge);
  if (w > 2 && h > 2) p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

QImage closedFolder() {
  QImage img = blank();
  QPainter p(&img);
  box(p, 1, 2, 6, 3, kFolderEdge, kFolderShade);  // the tab
  box(p, 1, 4, 14, 10, kFolderEdge, kFolderFill);
  p.fillRect(2, 5, 12, 1, kFolderLight);
  return img;
}

QImage openFolder() {
  QImage img = blank();
  QPainter p(&img);
  box(p, 1, 2, 6, 3, kFolderEdge, kFolderShade);
  box(p, 1, 4, 13, 10, kFolderEdge, kFolderShade);  // the back, in shade
  // The front flap, tilted open towards the viewer.
  QPolygon flap;
  flap << QPoint(4, 7) << QPoint(15, 7) << QPoint(12, 13) << QPoint(1, 13);
  p.setPen(kFolderEdge);
  p.setBrush(kFolderFill);
  p.drawPolygon(flap);
  p.fillRect(5, 8, 9, 1, kFolderLight);
  return img;
}

QImage sheet() {
  QImage img = blank();
  QPainter p(&img);
  box(p, 3, 1, 10, 14, kSheetEdge, kSheetFill);
  // The folded corner: cut off above the diagonal, the flap below it.
  p.setCompositionMode(QPainter::CompositionMode_Source);
  for (int y = 1; y <= 4; ++y) {
    for (int x = 9; x <= 12; ++x) {
      const int d = (x - 9) - (y - 1);
      const QColor c = d > 0 ? QColor(Qt::transparent) : d == 0 || x == 9 || y == 4 ? kSheetEdge : kSheetFold;
      p.fillRect(x, y, 1, 1, c);
    }
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  for (int y = 6; y <= 12; y += 2) p.fillRect(5, y, y == 12 ? 4 : 6, 1, kSheetText);
  return img;
}

QImage sign(bool plus) {
  QImage img = blank();
  QPainter p(&img);
  box(p, 3, 3, 11, 11, kSignEdge, kSignFill);
  p.fillRect(5, 7, 7, 3, kSignMark);
  if (plus) p.fillRect(7, 5, 3, 7, kSignMark);
  return img;
}

}  // namespace

TreeImages::TreeImages() {
  m_images[ClosedFolder] = closedFolder();
  m_images[Sheet] = sheet();
  m_images[MinusSign] = sign(false);
  m_images[OpenFolder] = openFolder();
  m_images[PlusSign] = sign(true);
  for (int i = 0; i < Count; ++i)
    m_pixmaps[static_cast<std::size_t>(i)] = QPixmap::fromImage(m_images[static_cast<std::size_t>(i)]);
}

const TreeImages& TreeImages::standard() {
  static const TreeImages list;
  return list;
}

QImage TreeImages::image(int index) const {
  if (index < 0 || index >= Count) return {};
  return m_images[static_cast<std::size_t>(index)];
}

void TreeImages::draw(QPainter& painter, int x, int y, int index) const {
  if (index < 0 || index >= Count) return;
  painter.drawPixmap(x, y, m_pixmaps[static_cast<std::size_t>(index)]);
}

const QImage& TreeImages::warningImage() {
  static const QImage image = [] {
    QImage img(kWidth * 2, kHeight * 2, QImage::Format_ARGB32_Premultiplied);  // sharp at twice the density
    img.setDevicePixelRatio(2.0);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF triangle({QPointF(8, 1), QPointF(15, 14.5), QPointF(1, 14.5)});
    p.setPen(QPen(QColor(150, 96, 0), 1.0));
    p.setBrush(QColor(255, 196, 24));
    p.drawPolygon(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 24, 0));
    p.drawRect(QRectF(7.25, 5, 1.5, 5.5));
    p.drawRect(QRectF(7.25, 11.5, 1.5, 1.5));
    return img;
  }();
  return image;
}

}  // namespace corvantel::gui
