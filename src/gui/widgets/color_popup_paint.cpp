// The colour palette's drawing: cells and their state frames, the text cells, the honeycomb, the grey
// strip and the preview of the custom area.
#include <qdrawutil.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include "core/palette/color_palette_table.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/color_popup.h"

namespace corvantel::gui {

using namespace corvantel::palette;

namespace {

// On a surface of more than one device pixel per pixel the hexagon keeps its exact corners instead of
// corners rounded to whole pixels.
QPolygonF hexagonAt(int cx, int cy, int size, qreal dpr) {
  QPolygonF poly;
  if (dpr == 1.0) {
    for (const Point& v : hexagonPoints(cx, cy, size)) poly << QPointF(v.x, v.y);
  } else {
    for (const PointF& o : hexagonOffsets()) poly << QPointF(cx + size * o.x, cy + size * o.y);
  }
  return poly;
}

}  // namespace

QRect ColorPopup::qrect(const Rect& r) const { return QRect(r.left, r.top, r.width(), r.height()); }

document::Color ColorPopup::cellColor(int cell) const {
  return isColorCell(cell) ? paletteColors()[static_cast<std::size_t>(cell)].value : 0;
}

// ---- painting ----

void ColorPopup::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  paintPalette(p, event->rect());
}

void ColorPopup::paintPalette(QPainter& p, const QRect& clip) {
  const QPalette& pal = palette();
  p.setFont(QApplication::font());
  ensureCombs();
  p.fillRect(clip, pal.color(QPalette::Button));
  const int e = m_layout.edge;
  if (m_layout.hasDefaultCell && clip.intersects(qrect(m_layout.defaultCell))) paintTextCell(p, kCellDefault);
  for (int cell = 0; cell < kStandardCellCount; ++cell) {
    if (clip.intersects(qrect(cellRect(m_layout, cell)))) paintCell(p, cell);
  }
  if (m_layout.showSystemColors) {
    const int y = 5 * PaletteLayout::kCellSize + 3 * e + (m_layout.hasDefaultCell ? m_layout.cellTextHeight : 0);
    paintEtchedLine(p, e + m_layout.spacing, m_layout.palette.width() - e - m_layout.spacing, y);
    for (int cell = kFirstSystemCell; cell <= kLastSystemCell; ++cell) {
      if (clip.intersects(qrect(cellRect(m_layout, cell)))) paintCell(p, cell);
    }
  }
  if (m_layout.hasCustomCell && clip.intersects(qrect(m_layout.customCell).adjusted(0, -2 * e, 0, 0))) {
    paintTextCell(p, kCellCustom);
  }
  if (customMode() && clip.bottom() >= m_layout.combArea.top) paintCustomArea(p);
  qDrawWinPanel(&p, rect(), pal, false);
}

void ColorPopup::paintEtchedLine(QPainter& p, int x1, int x2, int y) {
  p.setPen(palette().color(QPalette::Dark));
  p.drawLine(x1, y, x2 - 1, y);
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(x1, y + 1, x2 - 1, y + 1);
}

void ColorPopup::paintStateFrame(QPainter& p, const QRect& r, int cell) {
  const QPalette& pal = palette();
  const bool selected = cell == m_selected;
  const bool hover = cell == m_hover;
  const QColor selectedFace = isDark(pal) ? pal.color(QPalette::Highlight) : pal.color(QPalette::Light);
  p.fillRect(r, selected && !hover ? selectedFace : pal.color(QPalette::Button));
  const bool pressed = hover && QApplication::mouseButtons().testFlag(Qt::LeftButton);
  if (selected || pressed) {
    qDrawShadePanel(&p, r, pal, true, 1, nullptr);
  } else if (hover) {
    qDrawShadePanel(&p, r, pal, false, 1, nullptr);
  }
}

void ColorPopup::paintCell(QPainter& p, int cell) {
  const QRect r = qrect(cellRect(m_layout, cell));
  paintStateFrame(p, r, cell);
  const int inset = m_layout.edge + 1;
  const QRect swatch = r.adjusted(inset, inset, -inset, -inset);
  p.setPen(QColor(128, 128, 128));
  p.setBrush(toQColor(cellColor(cell)));
  p.drawRect(swatch.adjusted(0, 0, -1, -1));
  p.setBrush(Qt::NoBrush);
}

void ColorPopup::paintTextCell(QPainter& p, int cell) {
  const QPalette& pal = palette();
  const int e = m_layout.edge;
  QRect r = qrect(cell == kCellDefault ? m_layout.defaultCell : m_layout.customCell);
  p.fillRect(r, pal.color(QPalette::Button));
  if (cell == kCellDefault) {
    r.adjust(1, 1, -1, -1);
    paintStateFrame(p, r, cell);
    p.setPen(pal.color(QPalette::Dark));
    const int inset = e + 1;
    p.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
  } else {
    paintEtchedLine(p, r.left(), r.right() + 1, r.top() - 2 * e);
    r.adjust(1, 0, -1, 0);
    paintStateFrame(p, r, cell);
  }
  p.setPen(pal.color(QPalette::ButtonText));
  p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
             cell == kCellDefault ? m_defaultText : m_customText);
  if (cell == kCellCustom) {
    const QRect preview = qrect(m_layout.preview);
    if (const auto chosen = customColor()) {
      p.setPen(QColor(128, 128, 128));
      p.setBrush(toQColor(*chosen));
      p.drawRect(preview.adjusted(0, 0, -1, -1));
      p.setBrush(Qt::NoBrush);
    } else {
      p.setPen(pal.color(QPalette::Dark));
      p.drawRect(preview.adjusted(0, 0, -1, -1));
    }
  }
}

void ColorPopup::paintCustomArea(QPainter& p) {
  ensureCombs();
  const PaletteLayout& l = m_layout;
  const int top = l.combArea.top;
  const QSize size(l.palette.width(), l.combArea.height() + l.greyStrip.height() + 2 * l.edge);
  // Composed at the target's device pixel ratio, so that a high-density screen gets sharp hexagons.
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : devicePixelRatioF();
  const QSize physical(static_cast<int>(std::ceil(size.width() * dpr)), static_cast<int>(std::ceil(size.height() * dpr)));
  if (m_customSurface.size() != physical) m_customSurface = QImage(physical, QImage::Format_RGB32);
  m_customSurface.setDevicePixelRatio(dpr);
  m_customSurface.fill(palette().color(QPalette::Button));

  QPainter s(&m_customSurface);
  s.translate(0, -top);
  s.setPen(Qt::NoPen);
  const int c = l.combCellSize;
  const Point centre = l.combCentre();
  for (const CombEntry& e : m_combs) {
    s.setBrush(toQColor(e.color));
    s.drawPolygon(hexagonAt(centre.x + e.x, centre.y + e.y, c, dpr));
  }
  for (std::size_t i = 0; i < m_greys.size(); ++i) {
    const CombEntry& g = m_greys[i];
    s.setBrush(toQColor(g.color));
    s.drawPolygon(hexagonAt(l.greyStrip.left + g.x, l.greyStrip.top + g.y, greyCellSize(static_cast<int>(i), c), dpr));
  }
  // The chosen cell: a 2-pixel outline that inverts what is under it.
  s.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  s.setPen(QPen(Qt::white, 2));
  s.setBrush(Qt::NoBrush);
  if (m_customIndex > 0 && static_cast<std::size_t>(m_customIndex - 1) < m_combs.size()) {
    const CombEntry& e = m_combs[static_cast<std::size_t>(m_customIndex - 1)];
    s.drawPolygon(hexagonAt(centre.x + e.x, centre.y + e.y, c, dpr));
  } else if (m_customIndex < 0 && static_cast<std::size_t>(-m_customIndex - 1) < m_greys.size()) {
    const int i = -m_customIndex - 1;
    const CombEntry& g = m_greys[static_cast<std::size_t>(i)];
    s.drawPolygon(hexagonAt(l.greyStrip.left + g.x, l.greyStrip.top + g.y, greyCellSize(i, c), dpr));
  }
  s.setCompositionMode(QPainter::CompositionMode_SourceOver);

  // The bar: one grey level for every device pixel row, white at the top, black at the bottom.
  const Rect& bar = l.intensityBar;
  const int h = bar.height() - 1;
  const int rows = static_cast<int>(std::lrint(bar.height() * dpr));
  for (int t = 0; t < rows; ++t) {
    const int grey = rows > 1 ? static_cast<int>(std::lrint((rows - 1 - t) * 255.0 / (rows - 1))) : 255;
    s.fillRect(QRectF(bar.left, bar.top + t / dpr, 10, 1 / dpr), QColor(grey, grey, grey));
  }
  const QPoint tip(bar.left + 11, bar.top + static_cast<int>(std::lrint((1.0 - m_intensity) * h)));
  s.setPen(Qt::NoPen);
  s.setBrush(palette().color(QPalette::ButtonText));  // black on the light faces, light on dark ones
  s.drawPolygon(QPolygon({tip, tip + QPoint(5, -3), tip + QPoint(5, 3)}));
  if (m_keyArea == KeyArea::Bar) {
    // The keys work the bar: a ring in the highlight colour round the bar and its pointer.
    s.setPen(palette().color(QPalette::Highlight));
    s.setBrush(Qt::NoBrush);
    s.drawRect(qrect(bar).adjusted(-2, -4, -2, 3));
  }
  s.end();
  p.drawImage(0, top, m_customSurface);
}

// ---- selection and repainting ----

void ColorPopup::repaintCell(int cell) {
  if (!isVisible() || cell == kCellNone) return;
  QRect r;
  if (cell == kCellCustom) {
    r = qrect(m_layout.customCell).adjusted(0, -2 * m_layout.edge, 0, 0);
  } else {
    r = qrect(cellRect(m_layout, cell));
  }
  if (!r.isEmpty()) repaint(r);
}

void ColorPopup::repaintCustomChoice(int choice) {
  if (!isVisible()) return;
  if (choice > 0) repaint(qrect(m_layout.combArea));
  if (choice < 0) repaint(qrect(m_layout.greyStrip));
  repaint(qrect(m_layout.preview));
}

}  // namespace corvantel::gui
