#include "core/tree/tree_row_drawing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvantel::tree;

namespace {

TreeRowInput row(int level, int top, int bottom) {
  TreeRowInput in;
  in.left = 0;
  in.top = top;
  in.bottom = bottom;
  in.level = level;
  in.indent = 19;
  in.buttonHalfSize = 4;
  return in;
}

bool hasLine(const TreeRowGeometry& g, TreeLine line) {
  for (const TreeLine& l : g.lines)
    if (l == line) return true;
  return false;
}

int linesAtX(const TreeRowGeometry& g, int x) {
  int n = 0;
  for (const TreeLine& l : g.lines)
    if (l.from.x == x && l.to.x == x) ++n;
  return n;
}

}  // namespace

// Level 1, with children, collapsed, row 0..36 at top 18, under the root (which has no next sibling).
TEST(TreeRowDrawing, WorkedExample) {
  TreeRowInput in = row(1, 18, 36);
  in.hasChildren = true;
  const std::vector<std::uint8_t> ancestors{0};
  in.ancestorHasNextSibling = ancestors;
  const TreeRowGeometry g = computeTreeRow(in);

  ASSERT_EQ(g.lines.size(), 2u);  // connector and line up; no line down, no line for the root's column
  EXPECT_EQ(g.lines[0], (TreeLine{{32, 27}, {42, 27}}));
  EXPECT_EQ(g.lines[1], (TreeLine{{28, 27}, {28, 17}}));
  ASSERT_TRUE(g.hasBox);
  EXPECT_EQ(g.box, (TreeBox{{24, 23}, {32, 31}}));
  EXPECT_EQ(g.minus, (TreeLine{{26, 27}, {30, 27}}));
  ASSERT_TRUE(g.hasUpright);
  EXPECT_EQ(g.upright, (TreeLine{{28, 25}, {28, 29}}));
  EXPECT_EQ(linesAtX(g, 9), 0);
  EXPECT_EQ(g.captionStart, 42);
  EXPECT_EQ(g.caption, (TreePoint{42, 18}));
  EXPECT_FALSE(g.hasPicture);

  // The end point is left out: the connector colours 32..41, the line up 18..27.
  EXPECT_EQ(linePixels(g.lines[0]), (TreePixelRect{32, 27, 10, 1}));
  EXPECT_EQ(linePixels(g.lines[1]), (TreePixelRect{28, 18, 1, 10}));

  // Expanded, the sign is a minus alone.
  in.expanded = true;
  EXPECT_FALSE(computeTreeRow(in).hasUpright);
}

TEST(TreeRowDrawing, RootHasBoxAtHalfIndentAndOnlyAShortStrokeUp) {
  TreeRowInput in = row(0, 0, 18);
  in.hasChildren = true;
  in.expanded = true;
  const TreeRowGeometry g = computeTreeRow(in);
  EXPECT_EQ(g.box, (TreeBox{{5, 5}, {13, 13}}));
  ASSERT_EQ(g.lines.size(), 2u);
  EXPECT_EQ(g.lines[1], (TreeLine{{9, 9}, {9, -1}}));
  // Rows 0..9 at x 9; the box (rows 5..12) covers all but the stroke 0..4 above it.
  EXPECT_EQ(linePixels(g.lines[1]), (TreePixelRect{9, 0, 1, 10}));
  EXPECT_EQ(g.caption, (TreePoint{23, 0}));
}

TEST(TreeRowDrawing, LeafAndLastChild) {
  // A leaf with a next sibling: no box, connector from the column's centre, line down past the bottom.
  TreeRowInput in = row(2, 36, 54);
  in.hasNextSibling = true;
  const std::vector<std::uint8_t> ancestors{0, 0};
  in.ancestorHasNextSibling = ancestors;
  TreeRowGeometry g = computeTreeRow(in);
  EXPECT_FALSE(g.hasBox);
  EXPECT_FALSE(g.hasUpright);
  EXPECT_EQ(g.lines[0], (TreeLine{{47, 45}, {61, 45}}));
  EXPECT_TRUE(hasLine(g, {{47, 45}, {47, 55}}));
  EXPECT_EQ(linePixels({{47, 45}, {47, 55}}), (TreePixelRect{47, 45, 1, 10}));

  // The last child: no line down.
  in.hasNextSibling = false;
  g = computeTreeRow(in);
  EXPECT_EQ(g.lines.size(), 2u);
  EXPECT_EQ(linesAtX(g, 47), 1);
}

TEST(TreeRowDrawing, AncestorUprightsRunThroughDeeperRows) {
  // Level 3: parent (level 2) is a last child, grandparent (level 1) has items below, the root has none.
  TreeRowInput in = row(3, 90, 108);
  const std::vector<std::uint8_t> ancestors{0, 1, 0};
  in.ancestorHasNextSibling = ancestors;
  const TreeRowGeometry g = computeTreeRow(in);
  // Own column at 3*19+9 = 66; the grandparent's at 28 runs the full row, top to bottom.
  EXPECT_TRUE(hasLine(g, {{28, 90}, {28, 108}}));
  EXPECT_EQ(linePixels({{28, 90}, {28, 108}}), (TreePixelRect{28, 90, 1, 18}));
  EXPECT_EQ(linesAtX(g, 47), 0);
  EXPECT_EQ(linesAtX(g, 9), 0);

  // A shifted row (scrolled sideways) moves every column with it.
  in.left = -10;
  EXPECT_TRUE(hasLine(computeTreeRow(in), {{18, 90}, {18, 108}}));
}

TEST(TreeRowDrawing, PictureSitsLeftOfTheCaptionAndIsCentred) {
  TreeRowInput in = row(1, 18, 36);
  in.pictureIndex = 0;
  const TreeRowGeometry g = computeTreeRow(in);
  ASSERT_TRUE(g.hasPicture);
  EXPECT_EQ(g.picture, (TreePoint{42, 19}));  // 18 + 9 - 8
  EXPECT_EQ(g.caption, (TreePoint{42 + 16 + kTreePictureGap, 18}));
  // Odd row height: the halves truncate.
  in.bottom = 35;
  EXPECT_EQ(computeTreeRow(in).picture.y, 18 + 8 - 8);
}

TEST(TreeRowDrawing, LinePixelsFollowTheEndPointRuleInEveryDirection) {
  EXPECT_EQ(linePixels({{10, 5}, {14, 5}}), (TreePixelRect{10, 5, 4, 1}));
  EXPECT_EQ(linePixels({{14, 5}, {10, 5}}), (TreePixelRect{11, 5, 4, 1}));
  EXPECT_EQ(linePixels({{3, 2}, {3, 6}}), (TreePixelRect{3, 2, 1, 4}));
  EXPECT_EQ(linePixels({{3, 6}, {3, 2}}), (TreePixelRect{3, 3, 1, 4}));
  EXPECT_TRUE(linePixels({{3, 6}, {3, 6}}).empty());
}

TEST(TreeRowDrawing, DeepRowProducesOnlyTheVisibleAncestorColumns) {
  // 100,000 levels, every ancestor with a next sibling; the visible part is 0..599.
  const int depth = 100000;
  std::vector<std::uint8_t> ancestors(depth, 1);
  TreeRowInput in = row(depth, 0, 18);
  in.ancestorHasNextSibling = ancestors;
  in.left = -(depth * 19) + 300;  // scrolled so that the item's column is on screen
  in.clipLeft = 0;
  in.clipRight = 599;
  const TreeRowGeometry g = computeTreeRow(in);
  const int cx = in.left + depth * 19 + 9;
  int ancestorLines = 0;
  for (const TreeLine& l : g.lines) {
    if (l.from.y == 0 && l.to.y == 18) {
      ++ancestorLines;
      EXPECT_GE(l.from.x, 0);
      EXPECT_LE(l.from.x, 599);
      EXPECT_EQ((cx - l.from.x) % 19, 0);
    }
  }
  EXPECT_EQ(ancestorLines, (cx - 0) / 19);  // every column from cx - 19 down to >= 0

  // Unclipped, every ancestor with a next sibling gets its line; fewer flags than levels are "none".
  TreeRowInput all = row(3, 0, 18);
  const std::vector<std::uint8_t> two{1, 1};
  all.ancestorHasNextSibling = two;
  EXPECT_EQ(computeTreeRow(all).lines.size(), 4u);
}

TEST(TreeRowDrawing, ReusedGeometryForgetsThePreviousRow) {
  TreeRowGeometry g;
  TreeRowInput a = row(2, 0, 18);
  a.hasChildren = true;
  a.hasNextSibling = true;
  const std::vector<std::uint8_t> ancestors{1, 1};
  a.ancestorHasNextSibling = ancestors;
  a.pictureIndex = 1;
  computeTreeRow(a, g);
  EXPECT_EQ(g.lines.size(), 5u);
  computeTreeRow(row(0, 18, 36), g);
  EXPECT_EQ(g.lines.size(), 2u);
  EXPECT_FALSE(g.hasBox);
  EXPECT_FALSE(g.hasUpright);
  EXPECT_FALSE(g.hasPicture);
  EXPECT_EQ(g.caption, (TreePoint{23, 18}));
}
