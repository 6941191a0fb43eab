#pragma once

#include <array>
#include <vector>

#include "core/document/project_settings.h"
#include "core/palette/color_geometry.h"

namespace corvantel::palette {

// One hexagonal cell of the custom area: its centre relative to the origin of its area, and its colour.
struct CombEntry {
  int x = 0;
  int y = 0;
  document::Color color = 0;
  bool operator==(const CombEntry&) const = default;
};
using CombArray = std::vector<CombEntry>;

// A colour with components from 0 to 1.
struct RgbF {
  float red = 1.0f;
  float green = 1.0f;
  float blue = 1.0f;
};

struct PointF {
  double x = 0;
  double y = 0;
};

// Vertex offsets of a unit hexagon, vertex k at 90 - 60k degrees: a vertex straight above the centre.
const std::array<PointF, 6>& hexagonOffsets();

// The six vertices of a hexagon of size `size` around (cx, cy), rounded halves-to-even.
std::array<Point, 6> hexagonPoints(int cx, int cy, int size);

// The colour combs: entry 0 the centre colour at (0, 0), then six sectors of rings 1 to levels-1, the
// corners shading to magenta, red, yellow, green, cyan and blue. `radius` is R.
CombArray buildColorCombs(RgbF centre, int radius, int levels = 7);

// The 17 grey cells: white, 15 greys from 225 down to 15 in a zigzag, black. `combSize` is C.
CombArray buildGreyCells(int combSize);

// The first grey cell within reach of a point relative to the grey strip's top-left, or -1.
int hitGreyCell(const CombArray& greys, int combSize, Point p);
// The first colour comb within reach of a point relative to the comb area's centre, or -1.
int hitColorComb(const CombArray& combs, int combSize, Point p);

// Hexagon size of grey cell `index`: twice the comb size for white and black.
inline int greyCellSize(int index, int combSize) { return index == 0 || index == 16 ? 2 * combSize : combSize; }

}  // namespace corvantel::palette
