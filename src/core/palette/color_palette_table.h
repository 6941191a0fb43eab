#pragma once

#include <array>

#include "core/document/project_settings.h"

namespace corvantel::palette {

// Special colour values of the colour controls, beside plain red-green-blue values.
inline constexpr document::Color kColorNone = 0x1FFFFFFF;
inline constexpr document::Color kColorDefault = 0x20000000;
inline constexpr document::Color kSystemColorFlag = static_cast<document::Color>(0x80000000u);
inline constexpr int kSystemColorCount = 25;

// A system colour code stands for the desktop's current colour of one role (index 0 to 24).
inline constexpr document::Color systemColorCode(int index) { return kSystemColorFlag | index; }
inline constexpr bool isSystemColorCode(document::Color c) { return (c & kSystemColorFlag) != 0; }
inline constexpr int systemColorIndex(document::Color c) { return c & 0x00FFFFFF; }

// Cell indexes of the palette.
inline constexpr int kCellNone = -1;
inline constexpr int kCellCustom = -2;
inline constexpr int kCellDefault = -3;
inline constexpr int kStandardCellCount = 40;
inline constexpr int kFirstSystemCell = 40;
inline constexpr int kLastSystemCell = kFirstSystemCell + kSystemColorCount - 1;  // 64

inline constexpr bool isColorCell(int cell) { return cell >= 0 && cell <= kLastSystemCell; }
inline constexpr bool isSystemCell(int cell) { return cell >= kFirstSystemCell && cell <= kLastSystemCell; }

struct PaletteColor {
  const char* name;  // the cell's hint text
  document::Color value;
};

// The 40 standard colours followed by the 25 system colour codes, in cell-index order.
const std::array<PaletteColor, kLastSystemCell + 1>& paletteColors();

// Red-green-blue components of a plain colour (the high byte is ignored).
inline constexpr int redOf(document::Color c) { return c & 0xFF; }
inline constexpr int greenOf(document::Color c) { return (c >> 8) & 0xFF; }
inline constexpr int blueOf(document::Color c) { return (c >> 16) & 0xFF; }

}  // namespace corvantel::palette
