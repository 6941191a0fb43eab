#pragma once

#include <string>

#include "core/palette/color_combs.h"
#include "core/palette/color_palette_layout.h"

namespace corvantel::palette {

enum class PaletteMove { Left, Right, Up, Down };

// The cell an arrow key moves to from `current` (the hover cell, or the selected cell when nothing is
// hovered). From no cell the keys behave as from the Default cell. The result is never a hidden cell.
int movePaletteCell(const PaletteLayout& layout, int current, PaletteMove move);

// The hexagon an arrow key moves to among `cells` (the colour combs), from entry `current`: Left and
// Right stay in the current row, Up and Down go to the nearest hexagon of a row above or below. -1 when
// there is none that way; from -1 the keys start at the centre entry 0.
int moveAmongCombs(const CombArray& cells, int combCellSize, int current, PaletteMove move);

// The entry of `cells` nearest to `p` (both relative to the cells' origin), the first one on a tie; -1
// for an empty array.
int nearestComb(const CombArray& cells, Point p);

// The accelerator of a caption ("&More colors" -> 'm'), lower-cased ASCII, or 0 when it has none.
// "&&" is a literal ampersand.
char captionAccelerator(const std::string& caption);

}  // namespace corvantel::palette
