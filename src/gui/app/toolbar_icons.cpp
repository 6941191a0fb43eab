#include "gui/app/toolbar_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QtMath>

namespace corvantel::gui {

namespace {

// Colours shared by the pictures, so that they read as one set.
const QColor kOutline(64, 64, 64);
const QColor kPaper(255, 255, 255);
const QColor kPaperShade(222, 226, 232);
const QColor kLine(120, 132, 150);
const QColor kFolderBack(214, 160, 38);
const QColor kFolderFront(250, 206, 86);
const QColor kFolderEdge(150, 104, 16);
const QColor kGreenEdge(24, 100, 34);
const QColor kRedEdge(140, 24, 20);

QPen pen(const QColor& c, qreal w = 1.0) {
  QPen p(c, w);
  p.setJoinStyle(Qt::MiterJoin);
  p.setCapStyle(Qt::SquareCap);
  return p;
}

// A sheet with a folded corner; pixel rectangle from (x0,y0) to (x1,y1) inclusive.
void sheet(QPainter& p, int x0, int y0, int x1, int y1, int fold) {
  QPolygonF outline;
  outline << QPointF(x0 + 0.5, y0 + 0.5) << QPointF(x1 - fold + 0.5, y0 + 0.5) << QPointF(x1 + 0.5, y0 + fold + 0.5)
          << QPointF(x1 + 0.5, y1 + 0.5) << QPointF(x0 + 0.5, y1 + 0.5);
  QLinearGradient fill(x0, y0, x1, y1);
  fill.setColorAt(0, kPaper);
  fill.setColorAt(1, kPaperShade);
  p.setBrush(fill);
  p.setPen(pen(kOutline));
  p.drawPolygon(outline);
  QPolygonF ear;
  ear << QPointF(x1 - fold + 0.5, y0 + 0.5) << QPointF(x1 - fold + 0.5, y0 + fold + 0.5)
      << QPointF(x1 + 0.5, y0 + fold + 0.5);
  p.setBrush(QColor(200, 206, 216));
  p.drawPolygon(ear);
}

// A small drop-down menu: a white box with a title strip and item lines.
void menuBox(QPainter& p, int x, int y, int w, int h) {
  p.setPen(pen(kOutline));
  p.setBrush(kPaper);
  p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
  p.fillRect(QRect(x + 1, y + 1, w - 2, 3), QColor(58, 110, 200));
  for (int ly = y + 6; ly < y + h - 2; ly += 3) p.fillRect(QRect(x + 2, ly, w - 4 - (ly % 2), 1), kLine);
}

void plusBadge(QPainter& p, int cx, int cy) {
  // A green plus, 7 x 7, with a dark rim for contrast on any background.
  p.setPen(Qt::NoPen);
  p.setBrush(kGreenEdge);
  p.drawRect(cx - 1, cy - 3, 3, 7);
  p.drawRect(cx - 3, cy - 1, 7, 3);
  p.fillRect(QRect(cx, cy - 2, 1, 5), QColor(150, 230, 140));
  p.fillRect(QRect(cx - 2, cy, 5, 1), QColor(150, 230, 140));
}

void newSheet(QPainter& p) {
  sheet(p, 3, 1, 12, 14, 3);
  // a small yellow spark: "new"
  p.setPen(pen(QColor(230, 160, 0)));
  p.drawLine(QPointF(3.5, 0.5), QPointF(3.5, 4.5));
  p.drawLine(QPointF(1.5, 2.5), QPointF(5.5, 2.5));
  p.setPen(pen(QColor(255, 220, 60)));
  p.drawPoint(QPointF(3.5, 2.5));
}

void openFolder(QPainter& p) {
  // back of the folder with its tab
  QPolygonF back;
  back << QPointF(1.5, 3.5) << QPointF(5.5, 3.5) << QPointF(6.5, 4.5) << QPointF(12.5, 4.5) << QPointF(12.5, 13.5)
       << QPointF(1.5, 13.5);
  p.setPen(pen(kFolderEdge));
  p.setBrush(kFolderBack);
  p.drawPolygon(back);
  // a sheet sticking out
  p.setPen(pen(kLine));
  p.setBrush(kPaper);
  p.drawRect(QRectF(3.5, 6.5, 8, 5));
  // the open front flap, tilted
  QPolygonF front;
  front << QPointF(3.5, 8.5) << QPointF(15.5, 8.5) << QPointF(12.5, 13.5) << QPointF(0.5, 13.5);
  QLinearGradient g(0, 8, 0, 14);
  g.setColorAt(0, QColor(255, 228, 130));
  g.setColorAt(1, kFolderFront);
  p.setPen(pen(kFolderEdge));
  p.setBrush(g);
  p.drawPolygon(front);
}

void disk(QPainter& p) {
  QPolygonF body;
  body << QPointF(1.5, 1.5) << QPointF(13.5, 1.5) << QPointF(14.5, 2.5) << QPointF(14.5, 14.5) << QPointF(1.5, 14.5);
  QLinearGradient g(0, 1, 0, 15);
  g.setColorAt(0, QColor(70, 120, 210));
  g.setColorAt(1, QColor(30, 66, 150));
  p.setPen(pen(QColor(20, 40, 100)));
  p.setBrush(g);
  p.drawPolygon(body);
  // label
  p.setPen(pen(QColor(170, 180, 200)));
  p.setBrush(kPaper);
  p.drawRect(QRectF(3.5, 1.5, 9, 6));
  p.fillRect(QRect(5, 3, 6, 1), kLine);
  p.fillRect(QRect(5, 5, 6, 1), kLine);
  // shutter
  p.setPen(pen(QColor(90, 96, 110)));
  p.setBrush(QColor(196, 200, 210));
  p.drawRect(QRectF(4.5, 10.5, 7, 4));
  p.fillRect(QRect(6, 11, 2, 3), QColor(60, 66, 80));
}

void webPage(QPainter& p) {
  sheet(p, 1, 1, 11, 14, 3);
  for (int y = 6; y <= 12; y += 2) p.fillRect(QRect(3, y, y == 6 ? 6 : 4, 1), kLine);
  // globe over the lower right corner
  p.setRenderHint(QPainter::Antialiasing, true);
  QRadialGradient g(QPointF(9.5, 8.5), 7);
  g.setColorAt(0, QColor(140, 200, 255));
  g.setColorAt(1, QColor(20, 96, 200));
  p.setPen(pen(QColor(16, 64, 140)));
  p.setBrush(g);
  const QRectF globe(6.5, 6.5, 9, 9);
  p.drawEllipse(globe);
  p.setBrush(Qt::NoBrush);
  p.setPen(pen(QColor(230, 244, 255, 220), 0.8));
  p.drawEllipse(QRectF(9.2, 6.7, 3.6, 8.6));
  p.drawLine(QPointF(6.9, 11), QPointF(15.1, 11));
  p.setPen(pen(QColor(80, 180, 80), 1.2));  // a bit of land
  p.drawArc(QRectF(7.5, 7.5, 4, 4), 30 * 16, 120 * 16);
  p.setRenderHint(QPainter::Antialiasing, false);
}

void addMenu(QPainter& p) {
  menuBox(p, 1, 1, 11, 12);
  plusBadge(p, 12, 12);
}

void addSubmenu(QPainter& p) {
  menuBox(p, 0, 0, 9, 11);
  // the submenu flying out of the third item, with the arrow that marks it
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(58, 110, 200));
  QPolygonF arrow;
  arrow << QPointF(6, 5) << QPointF(8.5, 7) << QPointF(6, 9);
  p.drawPolygon(arrow);
  menuBox(p, 6, 5, 8, 8);
  plusBadge(p, 12, 12);
}

void removeMenu(QPainter& p) {
  menuBox(p, 1, 1, 11, 12);
  // a red cross
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(pen(kRedEdge, 3.2));
  p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
  p.setPen(pen(QColor(255, 110, 96), 1.4));
  p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
  p.setRenderHint(QPainter::Antialiasing, false);
}

void projectSettings(QPainter& p) {
  // a sheet behind a gear wheel
  sheet(p, 1, 0, 10, 12, 3);
  for (int y = 4; y <= 9; y += 2) p.fillRect(QRect(3, y, 5, 1), kLine);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPointF c(10.5, 10.5);
  QPainterPath gear;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const qreal a0 = (i * M_PI) / teeth - M_PI / (teeth * 2.4);
    const qreal a1 = (i * M_PI) / teeth + M_PI / (teeth * 2.4);
    const qreal r = (i % 2 == 0) ? 5.3 : 3.9;
    QPointF p0 = c + QPointF(r * qCos(a0), r * qSin(a0));
    QPointF p1 = c + QPointF(r * qCos(a1), r * qSin(a1));
    if (i == 0)
      gear.moveTo(p0);
    else
      gear.lineTo(p0);
    gear.lineTo(p1);
  }
  gear.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(c, 1.6, 1.6);
  gear = gear.subtracted(hole);
  QLinearGradient g(5, 5, 16, 16);
  g.setColorAt(0, QColor(200, 206, 216));
  g.setColorAt(1, QColor(104, 112, 128));
  p.setPen(pen(QColor(52, 56, 66), 0.9));
  p.setBrush(g);
  p.drawPath(gear);
  p.setRenderHint(QPainter::Antialiasing, false);
}

// A curved arrow that turns back to the left: Undo. Redo draws it mirrored.
void undoArrow(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath shaft;
  shaft.moveTo(5.5, 6.5);
  shaft.cubicTo(10.5, 6.0, 14.5, 8.0, 13.0, 13.5);
  // the dark rim, then the light core, as on the other badges
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(20, 60, 130), 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(shaft);
  QPolygonF head;
  head << QPointF(0.8, 6.5) << QPointF(6.5, 1.8) << QPointF(6.5, 11.2);
  p.setPen(QPen(QColor(20, 60, 130), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(70, 130, 220));
  p.drawPolygon(head);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(120, 176, 250), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(shaft);
  p.setRenderHint(QPainter::Antialiasing, false);
}

void redoArrow(QPainter& p) {
  p.translate(16, 0);
  p.scale(-1, 1);
  undoArrow(p);
}

}  // namespace

bool paintToolbarIcon(QPainter& painter, int index) {
  painter.save();
  bool drawn = true;
  switch (index) {
    case 0:
      openFolder(painter);
      break;
    case 1:
      disk(painter);
      break;
    case 2:
      webPage(painter);
      break;
    case 3:
      addMenu(painter);
      break;
    case 4:
      addSubmenu(painter);
      break;
    case 5:
      removeMenu(painter);
      break;
    case 6:
      projectSettings(painter);
      break;
    case 8:
      newSheet(painter);
      break;
    case 9:
      undoArrow(painter);
      break;
    case 10:
      redoArrow(painter);
      break;
    default:
      drawn = false;
      break;
  }
  painter.restore();
  return drawn;
}

QIcon toolbarIcon(int index) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(scale, scale);
    const bool drawn = paintToolbarIcon(painter, index);
    painter.end();
    if (!drawn) return {};
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace corvantel::gui
