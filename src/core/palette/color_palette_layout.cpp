#include "core/palette/color_palette_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/palette/color_palette_table.h"

namespace corvantel::palette {

namespace {

constexpr int S = PaletteLayout::kCellSize;

int roundHalfEven(double v) { return static_cast<int>(std::lrint(v)); }

}  // namespace

int PaletteLayout::lastCell() const { return showSystemColors ? kLastSystemCell : kStandardCellCount - 1; }

PaletteLayout layoutPalette(const PaletteLayoutInput& in) {
  PaletteLayout l;
  const int e = std::max(0, in.edge);
  const int p = std::max(0, in.spacing);
  l.edge = e;
  l.spacing = p;
  l.hasDefaultCell = in.hasDefaultCell;
  l.hasCustomCell = in.hasCustomCell;
  l.showSystemColors = in.showSystemColors;
  if (in.hasDefaultCell || in.hasCustomCell) {
    l.cellTextWidth = in.textWidth + 2 * e;
    l.cellTextHeight = in.textHeight + 4 * e + 2;
  }
  const int wt = l.cellTextWidth;
  const int ht = l.cellTextHeight;

  l.palette = {0, 0, PaletteLayout::kColumns * S + 2 * e + 2 * p, PaletteLayout::kStandardRows * S + 4 * e};
  int bottom = l.palette.bottom;

  l.combRadius = static_cast<int>(8.0 * S * PaletteLayout::kCombLevels / 16.0);
  const int r = l.combRadius;
  l.combCellSize = roundHalfEven(static_cast<double>(r) / (PaletteLayout::kCombLevels - 1) + 0.5);
  const int c = l.combCellSize;

  if (in.hasDefaultCell) {
    l.palette.right = std::max(l.palette.right, wt);
    const int wi = l.palette.width() - 2 * e;
    l.defaultCell = {e + p, 2 * e, e + wi - p, 2 * e + ht};
    bottom += ht + 2 * e;
  }
  if (in.showSystemColors) {
    l.systemRows = (kSystemColorCount + PaletteLayout::kColumns - 1) / PaletteLayout::kColumns;
    bottom += l.systemRows * S + 2 * e;
  }
  if (in.hasCustomCell) {
    l.palette.right = std::max(l.palette.right, wt);
    const int wi = l.palette.width() - 2 * e;
    l.customCell = {e + p, bottom, e + wi - p, bottom + ht};
    const int side = S - 2 * e - 2;
    const int right = l.customCell.right - 2 * e - 1;
    const int top = l.customCell.top + e + 1 + (ht - S) / 2;
    l.preview = {right - side, top, right, top + side};
    bottom += ht + 2 * e;
  }

  l.combArea = {e + p, bottom, e + p + 2 * r, bottom + 2 * r};
  const double cos30 = std::numbers::sqrt3 / 2.0;
  l.greyStrip = {e + p, l.combArea.bottom - 4, roundHalfEven(cos30 * 17.0 * c / 2.0) + 6 * c,
                 l.combArea.bottom + 2 * c};
  l.intensityBar = {l.combArea.right, l.combArea.top + c, l.combArea.right + 20, l.combArea.bottom - c};

  l.normalHeight = bottom;
  l.palette.bottom = bottom;
  l.customHeight = l.greyStrip.bottom + 2 * e;
  if (in.fieldHeight > 0) {
    l.exactField = {e + p, l.greyStrip.bottom + e, l.palette.right - e - p, l.greyStrip.bottom + e + in.fieldHeight};
    l.customHeight = l.exactField.bottom + 2 * e;
  }
  return l;
}

Rect cellRect(const PaletteLayout& l, int cell) {
  if (cell == kCellDefault) return l.hasDefaultCell ? l.defaultCell : Rect{};
  if (cell == kCellCustom) return l.hasCustomCell ? l.customCell : Rect{};
  if (!isColorCell(cell)) return {};
  const int extra = l.hasDefaultCell ? l.cellTextHeight : 0;
  const int left = cellColumn(cell) * S + l.edge + l.spacing;
  int top = cellRow(cell) * S + 2 * l.edge + extra;
  if (isSystemCell(cell)) top += 3 * l.edge;
  return {left, top, left + S, top + S};
}

int cellAt(const PaletteLayout& l, int row, int column) {
  if (row == kCellCustom || column == kCellCustom) return l.hasCustomCell ? kCellCustom : kCellNone;
  if (row == kCellDefault || column == kCellDefault) return l.hasDefaultCell ? kCellDefault : kCellNone;
  if (column < 0 || column >= PaletteLayout::kColumns || row < 0) return kCellNone;
  if (row < PaletteLayout::kStandardRows) {
    const int cell = row * PaletteLayout::kColumns + column;
    return cell < kStandardCellCount ? cell : kCellNone;
  }
  if (l.showSystemColors && row - PaletteLayout::kStandardRows < l.systemRows) {
    const int j = (row - PaletteLayout::kStandardRows) * PaletteLayout::kColumns + column;
    if (j < kSystemColorCount) return kFirstSystemCell + j;
  }
  return kCellNone;
}

int hitTestCell(const PaletteLayout& l, Point p) {
  if (l.hasCustomCell && l.customCell.contains(p)) return kCellCustom;
  if (l.hasDefaultCell && l.defaultCell.contains(p)) return kCellDefault;
  const int gridLeft = l.edge + l.spacing;
  if (p.x < gridLeft) return kCellNone;
  const int column = (p.x - gridLeft) / S;
  int y = p.y - 2 * l.edge - (l.hasDefaultCell ? l.cellTextHeight : 0);
  if (y < 0) return kCellNone;
  if (l.showSystemColors && y / S >= PaletteLayout::kStandardRows) {
    y -= 3 * l.edge;
    if (y / S < PaletteLayout::kStandardRows) return kCellNone;  // the gap above the system colours
  }
  return cellAt(l, y / S, column);
}

Point palettePosition(const Rect& owner, int width, int height, const Rect& screen) {
  Point p{owner.left - 1, owner.bottom};
  if (p.y + height > screen.bottom) {
    p.y = screen.bottom - height;
    if (p.y < owner.top) p.y = owner.top - height;
  }
  if (p.x + width > screen.right) p.x = screen.right - width;
  if (p.x < screen.left) p.x = screen.left;
  return p;
}

}  // namespace corvantel::palette
