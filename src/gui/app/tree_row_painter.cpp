#include "gui/app/tree_row_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "gui/app/tree_images.h"

namespace corvantel::gui {

namespace {

void fillPixels(QPainter& painter, const tree::TreePixelRect& r, const QColor& color) {
  if (!r.empty()) painter.fillRect(QRect(r.x, r.y, r.width, r.height), color);
}

void drawLine(QPainter& painter, const tree::TreeLine& line) {
  fillPixels(painter, tree::linePixels(line), kTreeLineColor);
}

// The caption: the text before the first tab; a text without a tab has none.
QString captionOf(const QString& text) {
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  return tab < 0 ? QString() : text.left(tab);
}

}  // namespace

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

  for (const tree::TreeLine& line : g.lines) drawLine(painter, line);
  if (g.hasBox) {
    const QRect box(QPoint(g.box.topLeft.x, g.box.topLeft.y), QPoint(g.box.bottomRight.x - 1, g.box.bottomRight.y - 1));
    if (box.isValid()) {
      painter.fillRect(box, kTreeLineColor);
      if (box.width() > 2 && box.height() > 2) painter.fillRect(box.adjusted(1, 1, -1, -1), s.fillColor);
    }
    drawLine(painter, g.minus);
    if (g.hasUpright) drawLine(painter, g.upright);
  }

  if (g.hasPicture) images.draw(painter, g.picture.x, g.picture.y, in.pictureIndex);

  const QString caption = captionOf(s.text);
  if (caption.isEmpty() || g.caption.x > in.clipRight) return;
  const QFontMetrics fm(s.font);
  // The caption sits on an opaque background of the row colour.
  painter.fillRect(QRect(g.caption.x, g.caption.y, fm.horizontalAdvance(caption), fm.height()), s.fillColor);
  painter.setFont(s.font);
  painter.setPen(s.textColor);
  painter.drawText(QPoint(g.caption.x, g.caption.y + fm.ascent()), caption);
}

void paintTreeRow(QPainter& painter, const TreeRowPaintState& state) {
  tree::TreeRowGeometry g;
  paintTreeRow(painter, state, g);
}

}  // namespace corvantel::gui
