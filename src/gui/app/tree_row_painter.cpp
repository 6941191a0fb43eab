#include "gui/app/tree_row_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

#include "gui/app/tree_images.h"

namespace corvantel::gui {

namespace {

// The pixels of the drawing are given in the tree's pixels; on a surface with `dpr` device pixels to one
// of them, a one-pixel line stays one device pixel thin, in the device pixel nearest to its middle, and
// every line of a column lands in the same device column.
struct DeviceGrid {
  qreal dpr = 1.0;
  int thin(int v) const { return static_cast<int>(std::floor((v + 0.5) * dpr - 0.5 + 1e-9)); }
  int edge(int v) const { return static_cast<int>(std::lrint(v * dpr)); }
  void fill(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& color) const {
    if (x1 <= x0 || y1 <= y0) return;
    if (dpr == 1.0) {
      painter.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), color);
    } else {
      painter.fillRect(QRectF(x0 / dpr, y0 / dpr, (x1 - x0) / dpr, (y1 - y0) / dpr), color);
    }
  }
};

void drawLine(QPainter& painter, const DeviceGrid& grid, const tree::TreeLine& line, const QColor& color) {
  const tree::TreePixelRect r = tree::linePixels(line);
  if (r.empty()) return;
  if (r.width == 1) {
    const int x = grid.thin(r.x);
    grid.fill(painter, x, grid.edge(r.y), x + 1, grid.edge(r.y + r.height), color);
  } else {
    const int y = grid.thin(r.y);
    grid.fill(painter, grid.edge(r.x), y, grid.edge(r.x + r.width), y + 1, color);
  }
}

// The box's ring, one device pixel wide along its outer edge, and its inside in the row colour.
void drawBox(QPainter& painter, const DeviceGrid& grid, const tree::TreeBox& box, const QColor& line,
             const QColor& fill) {
  const int x0 = grid.edge(box.topLeft.x);
  const int y0 = grid.edge(box.topLeft.y);
  const int x1 = grid.edge(box.bottomRight.x) - (grid.dpr == 1.0 ? 0 : grid.edge(1) - 1);
  const int y1 = grid.edge(box.bottomRight.y) - (grid.dpr == 1.0 ? 0 : grid.edge(1) - 1);
  if (x1 <= x0 || y1 <= y0) return;
  grid.fill(painter, x0, y0, x1, y1, line);
  if (x1 - x0 > 2 && y1 - y0 > 2) grid.fill(painter, x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill);
}

// The caption: the text before the first tab; a text without a tab has none.
QString captionOf(const QString& text) {
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  return tab < 0 ? QString() : text.left(tab);
}

}  // namespace

QColor treeLineColor(const QPalette& palette) {
  const QColor text = palette.color(QPalette::Active, QPalette::Text);
  const QColor base = palette.color(QPalette::Active, QPalette::Base);
  return QColor((text.red() + base.red() + 1) / 2, (text.green() + base.green() + 1) / 2,
                (text.blue() + base.blue() + 1) / 2);
}

int treeRowHeight(const QFont& font) { return std::max(TreeImages::kHeight + 2, QFontMetrics(font).height() + 2); }

void paintTreeRow(QPainter& painter, const TreeRowPaintState& s, tree::TreeRowGeometry& g) {
  const QRect row = s.rowRect;
  const QRect fill = s.fillRect.isEmpty() ? row : s.fillRect;
  painter.fillRect(fill, s.fillColor);

  const TreeImages& images = s.images ? *s.images : TreeImages::standard();
  tree::TreeRowInput in;
  in.left = row.left();
  in.top = row.top();
  in.bottom = row.top() + row.height();
  in.level = s.level;
  in.indent = s.indent;
  in.buttonHalfSize = s.buttonHalfSize;
  in.hasChildren = s.hasChildren;
  in.expanded = s.expanded;
  in.hasNextSibling = s.hasNextSibling;
  in.ancestorHasNextSibling = s.ancestorHasNextSibling;
  in.pictureIndex = (s.imageIndex >= 0 && s.imageIndex < images.count()) ? s.imageIndex : -1;
  in.pictureWidth = images.width();
  in.pictureHeight = images.height();
  const QRect clip = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() : fill;
  in.clipLeft = std::max(fill.left(), clip.left());
  in.clipRight = std::min(fill.right(), clip.right());
  tree::computeTreeRow(in, g);

  QColor lineColor = s.lineColor;
  if (!lineColor.isValid()) {
    const auto* widget = dynamic_cast<const QWidget*>(painter.device());
    lineColor = treeLineColor(widget ? widget->palette() : QGuiApplication::palette());
  }
  const DeviceGrid grid{painter.device() ? painter.device()->devicePixelRatioF() : 1.0};
  for (const tree::TreeLine& line : g.lines) drawLine(painter, grid, line, lineColor);
  if (g.hasBox) {
    drawBox(painter, grid, g.box, lineColor, s.fillColor);
    drawLine(painter, grid, g.minus, lineColor);
    if (g.hasUpright) drawLine(painter, grid, g.upright, lineColor);
  }

  if (g.hasPicture) images.draw(painter, g.picture.x, g.picture.y, in.pictureIndex);

  const QString caption = captionOf(s.text);
  if (g.caption.x > in.clipRight) return;
  const QFontMetrics fm(s.font);
  const int captionWidth = caption.isEmpty() ? 0 : fm.horizontalAdvance(caption);
  if (!caption.isEmpty()) {
    // The caption sits on an opaque background of the row colour.
    painter.fillRect(QRect(g.caption.x, g.caption.y, captionWidth, fm.height()), s.fillColor);
    painter.setFont(s.font);
    painter.setPen(s.textColor);
    painter.drawText(QPoint(g.caption.x, g.caption.y + fm.ascent()), caption);
  }
  if (s.warning) {
    const int y = row.top() + (row.height() - TreeImages::kHeight) / 2;
    painter.drawImage(QRect(g.caption.x + captionWidth + 4, y, TreeImages::kWidth, TreeImages::kHeight),
                      TreeImages::warningImage());
  }
}

void paintTreeRow(QPainter& painter, const TreeRowPaintState& state) {
  tree::TreeRowGeometry g;
  paintTreeRow(painter, state, g);
}

}  // namespace corvantel::gui
