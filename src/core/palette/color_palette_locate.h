#pragma once

#include <functional>

#include "core/palette/color_combs.h"

namespace corvantel::palette {

// Where a colour sits in the palette: the selected cell and, for -2, the custom choice
// (k > 0 colour comb k-1, k < 0 grey cell -k-1, 0 none).
struct LocatedColor {
  int selected = -1;
  int customIndex = 0;
  bool operator==(const LocatedColor&) const = default;
};

// Resolves system colour index 0 to 24 to the desktop's current red-green-blue value.
using SystemColorResolver = std::function<document::Color(int index)>;

// Custom choice encodings.
inline constexpr int combChoice(int combIndex) { return combIndex + 1; }
inline constexpr int greyChoice(int greyIndex) { return -greyIndex - 1; }

// Finds a colour: none and default values, system cells (when shown), standard colours, system colours by
// value, then grey cells and colour combs. The custom choice is 0 unless a grey or comb matched.
LocatedColor locateColor(document::Color value, bool showSystemColors, const SystemColorResolver& resolve,
                         const CombArray& greys, const CombArray& combs);

// A colour value as red-green-blue: system codes through `resolve`, everything else without its high byte.
document::Color resolveColor(document::Color value, const SystemColorResolver& resolve);

}  // namespace corvantel::palette
