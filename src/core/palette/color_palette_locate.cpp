#include "core/palette/color_palette_locate.h"

#include "core/palette/color_palette_table.h"

namespace corvantel::palette {

document::Color resolveColor(document::Color value, const SystemColorResolver& resolve) {
  if (isSystemColorCode(value)) {
    const int index = systemColorIndex(value);
    if (index < kSystemColorCount && resolve) return resolve(index) & 0x00FFFFFF;
    return 0;
  }
  return value & 0x00FFFFFF;
}

LocatedColor locateColor(document::Color value, bool showSystemColors, const SystemColorResolver& resolve,
                         const CombArray& greys, const CombArray& combs) {
  if (value == kColorNone) return {kCellNone, 0};
  if (value == kColorDefault) return {kCellDefault, 0};
  const auto& table = paletteColors();
  const bool systemCode = isSystemColorCode(value);
  if (showSystemColors && systemCode) {
    for (int cell = kFirstSystemCell; cell <= kLastSystemCell; ++cell) {
      if (table[static_cast<std::size_t>(cell)].value == value) return {cell, 0};
    }
  }
  const document::Color rgb = resolveColor(value, resolve);
  for (int cell = 0; cell < kStandardCellCount; ++cell) {
    if (table[static_cast<std::size_t>(cell)].value == rgb) return {cell, 0};
  }
  if (showSystemColors && !systemCode && resolve) {
    for (int j = 0; j < kSystemColorCount; ++j) {
      if ((resolve(j) & 0x00FFFFFF) == rgb) return {kFirstSystemCell + j, 0};
    }
  }
  for (std::size_t i = 0; i < greys.size(); ++i) {
    if (greys[i].color == value) return {kCellCustom, greyChoice(static_cast<int>(i))};
  }
  for (std::size_t i = 0; i < combs.size(); ++i) {
    if (combs[i].color == value) return {kCellCustom, combChoice(static_cast<int>(i))};
  }
  return {kCellNone, 0};
}

}  // namespace corvantel::palette
