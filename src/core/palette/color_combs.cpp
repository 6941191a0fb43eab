#include "core/palette/color_combs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvantel::palette {

namespace {

int roundHalfEven(double v) { return static_cast<int>(std::lrint(v)); }

int component(double v) { return std::clamp(roundHalfEven(v * 255.0), 0, 255); }

constexpr std::array<RgbF, 6> kCorners = {{
    {1, 0, 1},  // magenta
    {1, 0, 0},  // red
    {1, 1, 0},  // yellow
    {0, 1, 0},  // green
    {0, 1, 1},  // cyan
    {0, 0, 1},  // blue
}};

bool within(Point p, int cx, int cy, int reach) {
  const long dx = p.x - cx;
  const long dy = p.y - cy;
  return dx * dx + dy * dy <= static_cast<long>(reach) * reach;
}

}  // namespace

const std::array<PointF, 6>& hexagonOffsets() {
  static const std::array<PointF, 6> offsets = [] {
    std::array<PointF, 6> o{};
    for (int k = 0; k < 6; ++k) {
      const double angle = (90.0 - 60.0 * k) * std::numbers::pi / 180.0;
      o[static_cast<std::size_t>(k)] = {std::cos(angle) / 2.0, std::sin(angle) / 2.0};
    }
    return o;
  }();
  return offsets;
}

std::array<Point, 6> hexagonPoints(int cx, int cy, int size) {
  std::array<Point, 6> points{};
  const auto& o = hexagonOffsets();
  for (std::size_t k = 0; k < 6; ++k) {
    points[k] = {cx + roundHalfEven(size * o[k].x), cy + roundHalfEven(size * o[k].y)};
  }
  return points;
}

CombArray buildColorCombs(RgbF centre, int radius, int levels) {
  levels = std::max(1, levels);
  CombArray combs;
  combs.reserve(static_cast<std::size_t>(6 * levels * (levels - 1) / 2 + 1));
  combs.push_back({0, 0, document::makeColor(component(centre.red), component(centre.green), component(centre.blue))});
  if (levels == 1) return combs;

  const auto& o = hexagonOffsets();
  const double d = std::numbers::sqrt3 / 2.0 * 2.0 * radius;
  std::array<PointF, 6> corner{};
  for (std::size_t k = 0; k < 6; ++k) corner[k] = {d * o[k].y, d * o[k].x};

  const double cr = centre.red, cg = centre.green, cb = centre.blue;
  for (std::size_t k = 0; k < 6; ++k) {
    const std::size_t next = (k + 1) % 6;
    for (int r = 1; r < levels; ++r) {
      const double f = static_cast<double>(r) / (levels - 1);
      const PointF a{f * corner[k].x, f * corner[k].y};
      const PointF b{f * corner[next].x, f * corner[next].y};
      const double ar = cr + f * (kCorners[k].red - cr), ag = cg + f * (kCorners[k].green - cg),
                   ab = cb + f * (kCorners[k].blue - cb);
      const double br = cr + f * (kCorners[next].red - cr), bg = cg + f * (kCorners[next].green - cg),
                   bb = cb + f * (kCorners[next].blue - cb);
      for (int j = 0; j < r; ++j) {
        const double t = static_cast<double>(j) / r;
        combs.push_back(
            {roundHalfEven(a.x + t * (b.x - a.x)), roundHalfEven(a.y + t * (b.y - a.y)),
             document::makeColor(component(ar + t * (br - ar)), component(ag + t * (bg - ag)), component(ab + t * (bb - ab)))});
      }
    }
  }
  return combs;
}

CombArray buildGreyCells(int c) {
  CombArray greys;
  greys.reserve(17);
  greys.push_back({c, c, document::makeColor(255, 255, 255)});
  const double cos30 = std::numbers::sqrt3 / 2.0;
  const int v = roundHalfEven(cos30 * c / 2.0);
  const int u = roundHalfEven(1.5 * c / 2.0);
  for (int n = 0; n < 15; ++n) {
    const int level = (16 - (n + 1)) * 15;
    const int y = 3 * (c / 4) + (n % 2 == 1 ? u : 0);
    greys.push_back({roundHalfEven(n * v + 3.0 * c), y, document::makeColor(level, level, level)});
  }
  greys.push_back({roundHalfEven(16.0 * v + 3.0 * c + c), c, document::makeColor(0, 0, 0)});
  return greys;
}

int hitGreyCell(const CombArray& greys, int c, Point p) {
  for (std::size_t i = 0; i < greys.size(); ++i) {
    const int reach = (i == 0 || i == 16) ? c : c / 2;
    if (within(p, greys[i].x, greys[i].y, reach)) return static_cast<int>(i);
  }
  return -1;
}

int hitColorComb(const CombArray& combs, int c, Point p) {
  for (std::size_t i = 0; i < combs.size(); ++i) {
    if (within(p, combs[i].x, combs[i].y, c / 2)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace corvantel::palette
