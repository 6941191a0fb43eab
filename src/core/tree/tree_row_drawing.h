#pragma once

#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace corvantel::tree {

struct TreePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TreePoint&, const TreePoint&) = default;
};

// A line from `from` to `to`: it colours `from` and leaves `to` out. Every line of a tree row is
// horizontal or vertical.
struct TreeLine {
  TreePoint from;
  TreePoint to;
  friend bool operator==(const TreeLine&, const TreeLine&) = default;
};

// A rectangle of pixels: x to x + width - 1 across, y to y + height - 1 down. Empty when width or height
// is 0.
struct TreePixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const TreePixelRect&, const TreePixelRect&) = default;
};

// The box with corners (x1, y1) and (x2, y2): it covers x1 to x2 - 1 and y1 to y2 - 1, its outer ring
// drawn with the pen and its inside filled with the row colour.
struct TreeBox {
  TreePoint topLeft;
  TreePoint bottomRight;
  friend bool operator==(const TreeBox&, const TreeBox&) = default;
};

// What the drawing of one row needs to know.
struct TreeRowInput {
  int left = 0;    // the row's left edge (the tree's left edge, not the item's)
  int top = 0;     // first pixel row of the row
  int bottom = 0;  // one past its last pixel row
  int level = 0;   // 0 for a top-level item
  int indent = 19;
  int buttonHalfSize = 4;
  bool hasChildren = false;
  bool expanded = false;
  bool hasNextSibling = false;
  // For every ancestor, nearest first (the parent, ..., the top-level item): whether it has a following
  // sibling. Holds `level` entries; missing entries count as "no next sibling".
  std::span<const std::uint8_t> ancestorHasNextSibling;
  // The item's picture: -1 for none; pictures are pictureWidth x pictureHeight.
  int pictureIndex = -1;
  int pictureWidth = 16;
  int pictureHeight = 16;
  // Only the ancestor lines whose column lies in [clipLeft, clipRight] are produced, so that a very deep
  // row costs the visible columns only.
  int clipLeft = INT_MIN;
  int clipRight = INT_MAX;
};

// Gap between an item's picture and its caption.
inline constexpr int kTreePictureGap = 2;

// The drawing of one row, in painting order: lines, then the box over them, then the sign in the box,
// then the picture and the caption.
struct TreeRowGeometry {
  std::vector<TreeLine> lines;  // connector, line up, line down, ancestor lines
  bool hasBox = false;
  TreeBox box;
  TreeLine minus;
  bool hasUpright = false;  // the plus's upright, for a collapsed item
  TreeLine upright;
  int captionStart = 0;  // x where the caption area starts (where the connector ends)
  bool hasPicture = false;
  TreePoint picture;  // top-left corner of the picture
  TreePoint caption;  // top-left corner of the caption text
};

// Computes the drawing of one row into `out`, reusing its storage.
void computeTreeRow(const TreeRowInput& in, TreeRowGeometry& out);
TreeRowGeometry computeTreeRow(const TreeRowInput& in);

// The pixels a line colours (its end point left out).
TreePixelRect linePixels(const TreeLine& line);

}  // namespace corvantel::tree
