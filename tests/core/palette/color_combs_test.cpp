#include "core/palette/color_combs.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/palette/color_palette_locate.h"
#include "core/palette/color_palette_table.h"

using namespace corvantel;
using namespace corvantel::palette;
using corvantel::document::makeColor;

namespace {

constexpr int kC = 11;
constexpr int kR = 63;

corvantel::document::Color noSystem(int) { return 0; }

}  // namespace

TEST(ColorCombs, GreyCellsPositionsAndLevels) {
  const CombArray greys = buildGreyCells(kC);
  ASSERT_EQ(greys.size(), 17u);
  EXPECT_EQ(greys[0], (CombEntry{11, 11, document::makeColor(255, 255, 255)}));
  for (int n = 0; n < 15; ++n) {
    const int level = 225 - 15 * n;
    EXPECT_EQ(greys[static_cast<std::size_t>(n + 1)],
              (CombEntry{33 + 5 * n, n % 2 ? 14 : 6, document::makeColor(level, level, level)}))
        << n;
  }
  EXPECT_EQ(greys[16], (CombEntry{124, 11, document::makeColor(0, 0, 0)}));
}

TEST(ColorCombs, ColourCombsFromWhite) {
  const CombArray combs = buildColorCombs({1, 1, 1}, kR);
  ASSERT_EQ(combs.size(), 127u);
  EXPECT_EQ(combs[0], (CombEntry{0, 0, document::makeColor(255, 255, 255)}));
  // The outer ring's first entry of each sector is that sector's pure corner colour, at distance
  // cos 30 * R from the centre and at 60k degrees.
  const std::pair<int, int> ringStarts[] = {{55, 0}, {27, 47}, {-27, 47}, {-55, 0}, {-27, -47}, {27, -47}};
  const corvantel::document::Color corners[] = {document::makeColor(255, 0, 255), document::makeColor(255, 0, 0),   document::makeColor(255, 255, 0),
                                      document::makeColor(0, 255, 0),   document::makeColor(0, 255, 255), document::makeColor(0, 0, 255)};
  for (int k = 0; k < 6; ++k) {
    // Sector k holds 1 + 2 + ... + 6 = 21 entries; ring 6 starts at its 16th.
    const CombEntry& e = combs[static_cast<std::size_t>(1 + 21 * k + 15)];
    SCOPED_TRACE(k);
    EXPECT_NEAR(e.x, ringStarts[k].first, 1);
    EXPECT_NEAR(e.y, ringStarts[k].second, 1);
    EXPECT_EQ(e.color, corners[k]);
  }
  // Each position appears once: the rings tile the hexagon without overlap.
  std::set<std::pair<int, int>> positions;
  for (const auto& e : combs) positions.insert({e.x, e.y});
  EXPECT_EQ(positions.size(), combs.size());
}

TEST(ColorCombs, IntensityDarkensTheCentreOnly) {
  const CombArray combs = buildColorCombs({0.5f, 0.5f, 0.5f}, kR);
  EXPECT_EQ(combs[0].color, document::makeColor(128, 128, 128));
  EXPECT_EQ(combs[16].color, document::makeColor(255, 0, 255));  // the corners stay pure
  EXPECT_EQ(buildColorCombs({1, 1, 1}, kR, 1).size(), 1u);
  EXPECT_EQ(buildColorCombs({1, 1, 1}, kR, 0).size(), 1u);
}

TEST(ColorCombs, HexagonHasVerticesAboveAndBelow) {
  const auto p = hexagonPoints(100, 50, 11);
  EXPECT_EQ(p[0], (Point{100, 56}));
  EXPECT_EQ(p[3], (Point{100, 44}));
  EXPECT_EQ(p[1], (Point{105, 53}));  // 11 * cos30 / 2 = 4.76; 11 * 0.25 = 2.75
  EXPECT_EQ(p[5], (Point{95, 53}));
}

TEST(ColorCombs, HitTestingReachAndOrder) {
  const CombArray greys = buildGreyCells(kC);
  EXPECT_EQ(hitGreyCell(greys, kC, {11, 11}), 0);
  EXPECT_EQ(hitGreyCell(greys, kC, {22, 11}), 0);  // white reaches C
  EXPECT_EQ(hitGreyCell(greys, kC, {33, 6}), 1);
  EXPECT_EQ(hitGreyCell(greys, kC, {33, 11}), 1);  // C div 2 = 5 below the first grey
  EXPECT_EQ(hitGreyCell(greys, kC, {124, 22}), 16);
  EXPECT_EQ(hitGreyCell(greys, kC, {140, 11}), -1);
  const CombArray combs = buildColorCombs({1, 1, 1}, kR);
  EXPECT_EQ(hitColorComb(combs, kC, {0, 0}), 0);
  EXPECT_EQ(hitColorComb(combs, kC, {combs[50].x, combs[50].y}), 50);
  EXPECT_EQ(hitColorComb(combs, kC, {80, 0}), -1);
}

TEST(ColorPaletteLocate, FindsCellsGreysAndCombs) {
  const CombArray greys = buildGreyCells(kC);
  const CombArray combs = buildColorCombs({1, 1, 1}, kR);
  // White and black are standard cells before they are grey cells.
  EXPECT_EQ(locateColor(document::makeColor(255, 255, 255), false, noSystem, greys, combs), (LocatedColor{39, 0}));
  EXPECT_EQ(locateColor(0, false, noSystem, greys, combs), (LocatedColor{0, 0}));
  EXPECT_EQ(locateColor(document::makeColor(51, 204, 204), false, noSystem, greys, combs), (LocatedColor{20, 0}));
  EXPECT_EQ(locateColor(document::makeColor(210, 210, 210), false, noSystem, greys, combs),
            (LocatedColor{kCellCustom, greyChoice(2)}));
  EXPECT_EQ(locateColor(combs[40].color, false, noSystem, greys, combs), (LocatedColor{kCellCustom, combChoice(40)}));
  EXPECT_EQ(locateColor(document::makeColor(1, 2, 3), false, noSystem, greys, combs), (LocatedColor{kCellNone, 0}));
  EXPECT_EQ(locateColor(kColorNone, false, noSystem, greys, combs), (LocatedColor{kCellNone, 0}));
  EXPECT_EQ(locateColor(kColorDefault, false, noSystem, greys, combs), (LocatedColor{kCellDefault, 0}));
}

TEST(ColorPaletteLocate, SystemColours) {
  const CombArray greys = buildGreyCells(kC);
  const auto desktop = [](int index) { return index == 15 ? document::makeColor(212, 208, 200) : document::makeColor(index, 0, 1); };
  EXPECT_EQ(locateColor(systemColorCode(15), true, desktop, greys, {}).selected, 55);
  // Hidden system cells: the code is compared by its current value.
  EXPECT_EQ(locateColor(systemColorCode(5), false, desktop, greys, {}).selected, kCellNone);
  EXPECT_EQ(locateColor(systemColorCode(21), false, [](int) { return document::makeColor(255, 0, 0); }, greys, {}).selected, 16);
  // A plain colour equal to a system colour's current value selects that system cell when shown.
  EXPECT_EQ(locateColor(document::makeColor(212, 208, 200), true, desktop, greys, {}).selected, 55);
  EXPECT_EQ(locateColor(document::makeColor(212, 208, 200), false, desktop, greys, {}).selected, kCellNone);
  // A code outside the 25 roles finds no system cell and does not crash.
  EXPECT_EQ(locateColor(systemColorCode(99), true, desktop, greys, {}).selected, 0);
}
