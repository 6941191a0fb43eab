#pragma once

#include <string>

#include "core/palette/color_palette_layout.h"

namespace corvantel::palette {

enum class PaletteMove { Left, Right, Up, Down };

// The cell an arrow key moves to from `current` (the hover cell, or the selected cell when nothing is
// hovered). From no cell the keys behave as from the Default cell. The result is never a hidden cell.
int movePaletteCell(const PaletteLayout& layout, int current, PaletteMove move);

// The accelerator of a caption ("&More colors" -> 'm'), lower-cased ASCII, or 0 when it has none.
// "&&" is a literal ampersand.
char captionAccelerator(const std::string& caption);

}  // namespace corvantel::palette
