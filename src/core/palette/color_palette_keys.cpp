#include "core/palette/color_palette_keys.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/io/ascii.h"
#include "core/palette/color_palette_table.h"

namespace corvantel::palette {

namespace {

constexpr int kLastColumn = PaletteLayout::kColumns - 1;

int sanitize(const PaletteLayout& l, int cell) {
  if (cell == kCellDefault) return l.hasDefaultCell ? cell : kCellNone;
  if (cell == kCellCustom) return l.hasCustomCell ? cell : kCellNone;
  if (cell > kLastSystemCell || cell < kCellDefault) return kCellNone;
  if (isSystemCell(cell) && !l.showSystemColors) return kCellNone;
  return cell;
}

// Left or Up off the top-left corner of the grid.
int beforeGrid(const PaletteLayout& l) {
  if (l.hasDefaultCell) return kCellDefault;
  if (l.hasCustomCell) return kCellCustom;
  return l.lastCell();
}

}  // namespace

int movePaletteCell(const PaletteLayout& l, int current, PaletteMove move) {
  const bool fromDefault = current == kCellDefault || (!isColorCell(current) && current != kCellCustom);
  int target = kCellNone;
  if (fromDefault) {
    switch (move) {
      case PaletteMove::Left:
      case PaletteMove::Up:
        target = l.hasCustomCell ? kCellCustom : l.lastCell();
        break;
      case PaletteMove::Right:
      case PaletteMove::Down:
        target = 0;
        break;
    }
  } else if (current == kCellCustom) {
    switch (move) {
      case PaletteMove::Left:
      case PaletteMove::Up:
        target = l.lastCell();
        break;
      case PaletteMove::Right:
      case PaletteMove::Down:
        target = l.hasDefaultCell ? kCellDefault : 0;
        break;
    }
  } else {
    const int r = cellRow(current);
    const int c = cellColumn(current);
    switch (move) {
      case PaletteMove::Left:
        if (c > 0) {
          target = cellAt(l, r, c - 1);
        } else if (r > 0) {
          target = cellAt(l, r - 1, kLastColumn);
        } else {
          target = beforeGrid(l);
        }
        break;
      case PaletteMove::Up:
        target = r > 0 ? cellAt(l, r - 1, c) : beforeGrid(l);
        break;
      case PaletteMove::Right:
        target = c < kLastColumn ? cellAt(l, r, c + 1) : cellAt(l, r + 1, 0);
        if (target == kCellNone) target = l.hasCustomCell ? kCellCustom : (l.hasDefaultCell ? kCellDefault : 0);
        break;
      case PaletteMove::Down:
        target = cellAt(l, r + 1, c);
        if (target == kCellNone) {
          target = l.hasCustomCell ? kCellCustom : (l.hasDefaultCell ? kCellDefault : 0);
        }
        break;
    }
  }
  return sanitize(l, target);
}

int moveAmongCombs(const CombArray& cells, int combCellSize, int current, PaletteMove move) {
  if (cells.empty()) return -1;
  if (current < 0 || static_cast<std::size_t>(current) >= cells.size()) return 0;
  const CombEntry& from = cells[static_cast<std::size_t>(current)];
  const int rowTolerance = std::max(1, combCellSize / 2);  // positions are rounded: a row is not one y
  int best = -1;
  int bestScore = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int dx = cells[i].x - from.x;
    const int dy = cells[i].y - from.y;
    int score = 0;
    switch (move) {
      case PaletteMove::Left:
      case PaletteMove::Right:
        if (std::abs(dy) >= rowTolerance || (move == PaletteMove::Left ? dx >= 0 : dx <= 0)) continue;
        score = std::abs(dx) * 4 + std::abs(dy);
        break;
      case PaletteMove::Up:
      case PaletteMove::Down:
        if (move == PaletteMove::Up ? dy > -rowTolerance : dy < rowTolerance) continue;
        if (std::abs(dx) > std::abs(dy)) continue;
        score = std::abs(dy) + std::abs(dx);
        break;
    }
    if (score < bestScore) {
      bestScore = score;
      best = static_cast<int>(i);
    }
  }
  return best;
}

int nearestComb(const CombArray& cells, Point p) {
  int best = -1;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const long long dx = cells[i].x - p.x;
    const long long dy = cells[i].y - p.y;
    if (dx * dx + dy * dy < bestDistance) {
      bestDistance = dx * dx + dy * dy;
      best = static_cast<int>(i);
    }
  }
  return best;
}

char captionAccelerator(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const char next = caption[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    if (static_cast<unsigned char>(next) < 0x80) return io::toLowerAscii(next);
    return 0;
  }
  return 0;
}

}  // namespace corvantel::palette
