#pragma once

#include "core/palette/color_geometry.h"

namespace corvantel::palette {

// What the palette layout depends on. The text sizes are the larger measured width and height of the
// Default and custom texts in the palette's font (0 when both texts are empty).
struct PaletteLayoutInput {
  int edge = 2;     // E, the desktop's 3D edge width
  int spacing = 8;  // P, the owner's PopupSpacing (negative values count as 0)
  int textWidth = 0;
  int textHeight = 0;
  bool hasDefaultCell = false;
  bool hasCustomCell = false;
  bool showSystemColors = false;
  int fieldHeight = 0;  // the exact colour field below the grey row in custom mode; 0 for none
};

struct PaletteLayout {
  static constexpr int kCellSize = 18;  // S
  static constexpr int kColumns = 8;
  static constexpr int kStandardRows = 5;
  static constexpr int kCombLevels = 7;

  int edge = 2;
  int spacing = 8;
  int systemRows = 0;      // 4 when the system colours are shown
  int cellTextWidth = 0;   // Wt
  int cellTextHeight = 0;  // Ht
  bool hasDefaultCell = false;
  bool hasCustomCell = false;
  bool showSystemColors = false;

  Rect palette;      // the normal-size palette; its height is normalHeight
  Rect defaultCell;  // empty when absent
  Rect customCell;   // empty when absent
  Rect preview;      // the custom colour square inside the custom cell
  Rect combArea;     // 2R by 2R, below the normal palette
  Rect greyStrip;
  Rect intensityBar;
  Rect exactField;  // empty when there is none
  int combRadius = 0;    // R
  int combCellSize = 0;  // C
  int normalHeight = 0;  // B
  int customHeight = 0;  // height in custom mode

  int lastCell() const;  // 64 with system colours, else 39
  Point combCentre() const { return {combArea.left + combRadius, combArea.top + combRadius}; }
};

PaletteLayout layoutPalette(const PaletteLayoutInput& input);

// The rectangle of a cell index (standard, system, Default or custom); empty for no cell.
Rect cellRect(const PaletteLayout& layout, int cell);

// The cell at a grid position: -2 / -3 pass through when those cells exist, rows 0 to 4 are the
// standard colours, rows 5 to 8 the system colours when shown; -1 otherwise.
int cellAt(const PaletteLayout& layout, int row, int column);

// The cell under a point in palette coordinates, or -1. The grid follows the cell rectangles exactly,
// so a point on a cell's edge pixel belongs to that cell and the gap above the system colours to none.
int hitTestCell(const PaletteLayout& layout, Point p);

// Top-left corner of a palette of the given size shown for an owner button (both in screen pixels):
// below the button, one pixel left of it; above the button when it would pass the screen's bottom;
// moved left to end at the screen's right edge, but never past the screen's left edge.
Point palettePosition(const Rect& owner, int width, int height, const Rect& screen);

// Grid position of a colour cell (0 to 64).
inline int cellRow(int cell) {
  return cell < 40 ? cell / PaletteLayout::kColumns : 5 + (cell - 40) / PaletteLayout::kColumns;
}
inline int cellColumn(int cell) { return (cell < 40 ? cell : cell - 40) % PaletteLayout::kColumns; }

}  // namespace corvantel::palette
