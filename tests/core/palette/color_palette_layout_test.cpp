#include "core/palette/color_palette_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/palette/color_palette_keys.h"
#include "core/palette/color_palette_table.h"
#include "core/palette/color_text.h"

using namespace corvantel::palette;

namespace {

// This program's palette: E = 2, P = 8, "More colors" measured 13 pixels high.
PaletteLayout programLayout() {
  PaletteLayoutInput in;
  in.textWidth = 60;
  in.textHeight = 13;
  in.hasCustomCell = true;
  return layoutPalette(in);
}

PaletteLayout fullLayout() {
  PaletteLayoutInput in;
  in.textWidth = 60;
  in.textHeight = 13;
  in.hasCustomCell = true;
  in.hasDefaultCell = true;
  in.showSystemColors = true;
  return layoutPalette(in);
}

}  // namespace

TEST(ColorPaletteLayout, WorkedLayoutOfTheProgramsPickers) {
  const PaletteLayout l = programLayout();
  EXPECT_EQ(l.cellTextHeight, 23);
  EXPECT_EQ(l.palette, (Rect{0, 0, 164, 125}));
  EXPECT_EQ(l.normalHeight, 125);
  EXPECT_EQ(cellRect(l, 0), (Rect{10, 4, 28, 22}));
  EXPECT_EQ(cellRect(l, 39), (Rect{136, 76, 154, 94}));
  EXPECT_EQ(l.customCell, (Rect{10, 98, 154, 121}));
  EXPECT_EQ(l.preview, (Rect{137, 103, 149, 115}));
  EXPECT_EQ(l.customHeight, 277);
  EXPECT_EQ(l.combRadius, 63);
  EXPECT_EQ(l.combCellSize, 11);
  EXPECT_EQ(l.combArea, (Rect{10, 125, 136, 251}));
  EXPECT_EQ(l.combCentre(), (Point{73, 188}));
  EXPECT_EQ(l.greyStrip, (Rect{10, 247, 147, 273}));
  EXPECT_EQ(l.intensityBar, (Rect{136, 136, 156, 240}));
  EXPECT_TRUE(cellRect(l, kCellDefault).isEmpty());
  EXPECT_TRUE(cellRect(l, 40).isEmpty() == false);  // geometry exists, the cell is simply not shown
}

TEST(ColorPaletteLayout, TextsWiderThanTheGridWidenThePalette) {
  PaletteLayoutInput in;
  in.textWidth = 200;
  in.textHeight = 13;
  in.hasDefaultCell = true;
  const PaletteLayout l = layoutPalette(in);
  EXPECT_EQ(l.palette.width(), 204);
  EXPECT_EQ(l.defaultCell, (Rect{10, 4, 194, 27}));
  // The grid moves down by the Default cell's height; the palette grows by it plus 2E.
  EXPECT_EQ(cellRect(l, 0), (Rect{10, 27, 28, 45}));
  EXPECT_EQ(l.normalHeight, 98 + 27);
}

TEST(ColorPaletteLayout, SpacingAndSystemColours) {
  PaletteLayoutInput in;
  in.spacing = -5;  // counts as 0
  in.showSystemColors = true;
  const PaletteLayout l = layoutPalette(in);
  EXPECT_EQ(l.palette.width(), 148);
  EXPECT_EQ(l.systemRows, 4);
  EXPECT_EQ(l.normalHeight, 98 + 4 * 18 + 4);
  // System cells start 3E below the standard grid.
  EXPECT_EQ(cellRect(l, 40), (Rect{2, 100, 20, 118}));
  EXPECT_EQ(cellRect(l, 64), (Rect{2, 154, 20, 172}));
  EXPECT_LE(cellRect(l, 64).bottom, l.normalHeight);
  EXPECT_EQ(l.lastCell(), 64);
}

TEST(ColorPaletteHitTest, CellEdgesBelongToTheirCell) {
  const PaletteLayout l = programLayout();
  for (int cell : {0, 7, 9, 32, 39}) {
    const Rect r = cellRect(l, cell);
    SCOPED_TRACE(cell);
    EXPECT_EQ(hitTestCell(l, {r.left, r.top}), cell);
    EXPECT_EQ(hitTestCell(l, {r.right - 1, r.bottom - 1}), cell);
    EXPECT_EQ(hitTestCell(l, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}), cell);
  }
  EXPECT_EQ(hitTestCell(l, {28, 4}), 1);
  EXPECT_EQ(hitTestCell(l, {9, 10}), kCellNone);    // left margin
  EXPECT_EQ(hitTestCell(l, {154, 10}), kCellNone);  // right of the last column
  EXPECT_EQ(hitTestCell(l, {50, 3}), kCellNone);    // top border
  EXPECT_EQ(hitTestCell(l, {50, 95}), kCellNone);   // between grid and custom cell
  EXPECT_EQ(hitTestCell(l, {10, 98}), kCellCustom);
  EXPECT_EQ(hitTestCell(l, {153, 120}), kCellCustom);
  EXPECT_EQ(hitTestCell(l, {50, 121}), kCellNone);
  EXPECT_EQ(hitTestCell(l, {50, 200}), kCellNone);  // the custom area is not a cell
}

TEST(ColorPaletteHitTest, GapAboveTheSystemColoursAndDefaultCell) {
  const PaletteLayout l = fullLayout();
  const Rect last = cellRect(l, 39);
  const Rect first = cellRect(l, 40);
  ASSERT_EQ(first.top - last.bottom, 6);
  EXPECT_EQ(hitTestCell(l, {last.left, last.bottom - 1}), 39);
  for (int y = last.bottom; y < first.top; ++y) EXPECT_EQ(hitTestCell(l, {first.left, y}), kCellNone) << y;
  EXPECT_EQ(hitTestCell(l, {first.left, first.top}), 40);
  EXPECT_EQ(hitTestCell(l, {cellRect(l, 64).left, cellRect(l, 64).top}), 64);
  // Row 8 has only one system colour: the cell right of 64 is no cell.
  EXPECT_EQ(hitTestCell(l, {cellRect(l, 64).right, cellRect(l, 64).top}), kCellNone);
  EXPECT_EQ(hitTestCell(l, {l.defaultCell.left + 1, l.defaultCell.top + 1}), kCellDefault);
  EXPECT_EQ(hitTestCell(l, {cellRect(l, 0).left, cellRect(l, 0).top}), 0);
}

TEST(ColorPaletteKeys, MovesAndWrapArounds) {
  const PaletteLayout custom = programLayout();
  // Left from the top-left cell goes to the custom cell when there is no Default cell.
  EXPECT_EQ(movePaletteCell(custom, 0, PaletteMove::Left), kCellCustom);
  EXPECT_EQ(movePaletteCell(custom, 0, PaletteMove::Up), kCellCustom);
  EXPECT_EQ(movePaletteCell(custom, 8, PaletteMove::Left), 7);
  EXPECT_EQ(movePaletteCell(custom, 7, PaletteMove::Right), 8);
  EXPECT_EQ(movePaletteCell(custom, 39, PaletteMove::Right), kCellCustom);
  EXPECT_EQ(movePaletteCell(custom, 35, PaletteMove::Down), kCellCustom);  // never into hidden system cells
  EXPECT_EQ(movePaletteCell(custom, kCellCustom, PaletteMove::Left), 39);
  EXPECT_EQ(movePaletteCell(custom, kCellCustom, PaletteMove::Down), 0);
  EXPECT_EQ(movePaletteCell(custom, kCellNone, PaletteMove::Right), 0);

  const PaletteLayout full = fullLayout();
  EXPECT_EQ(movePaletteCell(full, 0, PaletteMove::Left), kCellDefault);
  EXPECT_EQ(movePaletteCell(full, kCellDefault, PaletteMove::Left), kCellCustom);
  EXPECT_EQ(movePaletteCell(full, kCellCustom, PaletteMove::Right), kCellDefault);
  EXPECT_EQ(movePaletteCell(full, kCellCustom, PaletteMove::Up), 64);
  EXPECT_EQ(movePaletteCell(full, 36, PaletteMove::Down), 44);
  EXPECT_EQ(movePaletteCell(full, 44, PaletteMove::Up), 36);
  EXPECT_EQ(movePaletteCell(full, 40, PaletteMove::Left), 39);
  EXPECT_EQ(movePaletteCell(full, 60, PaletteMove::Down), kCellCustom);  // row 8 ends after cell 64
  EXPECT_EQ(movePaletteCell(full, 64, PaletteMove::Right), kCellCustom);

  PaletteLayout bare = layoutPalette({});
  EXPECT_EQ(movePaletteCell(bare, 0, PaletteMove::Left), 39);
  EXPECT_EQ(movePaletteCell(bare, 39, PaletteMove::Right), 0);
  EXPECT_EQ(movePaletteCell(bare, 33, PaletteMove::Down), 0);
  EXPECT_EQ(movePaletteCell(bare, 3, PaletteMove::Up), 39);

  PaletteLayoutInput defaultOnly;
  defaultOnly.hasDefaultCell = true;
  const PaletteLayout d = layoutPalette(defaultOnly);
  EXPECT_EQ(movePaletteCell(d, 39, PaletteMove::Right), kCellDefault);
  EXPECT_EQ(movePaletteCell(d, 38, PaletteMove::Down), kCellDefault);
  EXPECT_EQ(movePaletteCell(d, kCellDefault, PaletteMove::Up), 39);
}

TEST(ColorPaletteKeys, CaptionAccelerators) {
  EXPECT_EQ(captionAccelerator("More colors"), 0);
  EXPECT_EQ(captionAccelerator("&More colors"), 'm');
  EXPECT_EQ(captionAccelerator("Fish && &Chips"), 'c');
  EXPECT_EQ(captionAccelerator("trailing &"), 0);
}

TEST(ColorPalettePosition, StaysOnTheScreen) {
  const Rect screen{0, 0, 1024, 768};
  EXPECT_EQ(palettePosition({100, 200, 157, 222}, 164, 125, screen), (Point{99, 222}));
  // Near the bottom: above the button, ending at its top.
  EXPECT_EQ(palettePosition({100, 700, 157, 722}, 164, 125, screen), (Point{99, 575}));
  EXPECT_EQ(palettePosition({100, 600, 157, 622}, 164, 277, screen), (Point{99, 323}));
  // Moved up to end at the screen's bottom, its top still not above the button's top.
  EXPECT_EQ(palettePosition({100, 480, 157, 502}, 164, 277, screen), (Point{99, 491}));
  // Near the right edge: moved left; a palette wider than the screen starts at its left edge.
  EXPECT_EQ(palettePosition({1000, 10, 1024, 32}, 164, 125, screen), (Point{860, 32}));
  EXPECT_EQ(palettePosition({0, 10, 57, 32}, 164, 125, screen), (Point{0, 32}));
  EXPECT_EQ(palettePosition({50, 10, 107, 32}, 2000, 125, screen), (Point{0, 32}));
}

TEST(ColorPaletteKeys, ArrowsReachEveryHexagonOfTheHoneycomb) {
  const PaletteLayout l = programLayout();
  const CombArray combs = buildColorCombs({1.0f, 1.0f, 1.0f}, l.combRadius);
  std::vector<bool> seen(combs.size(), false);
  std::vector<int> todo{0};
  seen[0] = true;
  while (!todo.empty()) {
    const int from = todo.back();
    todo.pop_back();
    for (PaletteMove m : {PaletteMove::Left, PaletteMove::Right, PaletteMove::Up, PaletteMove::Down}) {
      const int to = moveAmongCombs(combs, l.combCellSize, from, m);
      if (to < 0) continue;
      // Left and Right keep the row; Up and Down change it in their direction.
      const int dy = combs[static_cast<std::size_t>(to)].y - combs[static_cast<std::size_t>(from)].y;
      const int dx = combs[static_cast<std::size_t>(to)].x - combs[static_cast<std::size_t>(from)].x;
      if (m == PaletteMove::Left || m == PaletteMove::Right) {
        EXPECT_LT(std::abs(dy), l.combCellSize / 2) << from << " -> " << to;
        EXPECT_EQ(dx > 0, m == PaletteMove::Right) << from << " -> " << to;
      } else {
        EXPECT_EQ(dy < 0, m == PaletteMove::Up) << from << " -> " << to;
      }
      if (!seen[static_cast<std::size_t>(to)]) {
        seen[static_cast<std::size_t>(to)] = true;
        todo.push_back(to);
      }
    }
  }
  for (std::size_t i = 0; i < combs.size(); ++i) EXPECT_TRUE(seen[i]) << "hexagon " << i << " is out of reach";
  // The top row has nothing above it: Up leaves the honeycomb there.
  int top = 0;
  for (std::size_t i = 0; i < combs.size(); ++i) {
    if (combs[i].y < combs[static_cast<std::size_t>(top)].y) top = static_cast<int>(i);
  }
  EXPECT_EQ(moveAmongCombs(combs, l.combCellSize, top, PaletteMove::Up), -1);
}

TEST(ColorText, ReadsTheThreeFormsAndRefusesTheRest) {
  EXPECT_EQ(parseColorText("#1F3F6E"), corvantel::document::makeColor(0x1F, 0x3F, 0x6E));
  EXPECT_EQ(parseColorText(" #1f3f6e "), corvantel::document::makeColor(0x1F, 0x3F, 0x6E));
  EXPECT_EQ(parseColorText("#36C"), corvantel::document::makeColor(0x33, 0x66, 0xCC));
  EXPECT_EQ(parseColorText("31, 63,110"), corvantel::document::makeColor(31, 63, 110));
  EXPECT_EQ(parseColorText("0,0,255"), corvantel::document::makeColor(0, 0, 255));
  for (const char* bad : {"", "#", "#12345", "#1234567", "#GG0000", "1F3F6E", "256, 0, 0", "1, 2", "1, 2, 3, 4",
                          "1,,2", "-1, 2, 3", "1, 2, 3x", "red"}) {
    EXPECT_FALSE(parseColorText(bad).has_value()) << bad;
  }
  EXPECT_EQ(hexColorText(corvantel::document::makeColor(0x1F, 0x3F, 0x6E)), "#1F3F6E");
}
