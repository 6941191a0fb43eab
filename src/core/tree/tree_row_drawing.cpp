#include "core/tree/tree_row_drawing.h"

#include <algorithm>
#include <cstdint>

namespace corvantel::tree {

namespace {

// Division that truncates toward zero, as every half in the row drawing does.
int half(int v) { return v / 2; }

}  // namespace

void computeTreeRow(const TreeRowInput& in, TreeRowGeometry& out) {
  out.lines.clear();
  const int I = std::max(in.indent, 0);
  const int H = in.buttonHalfSize;
  const int T = in.top;
  const int B = in.bottom;
  const int level = std::max(in.level, 0);
  // The item's own column starts `level` indents right of the row's left edge. 64-bit while multiplying,
  // so that an absurd level cannot overflow.
  const auto levelLeft64 = static_cast<std::int64_t>(in.left) + static_cast<std::int64_t>(level) * I;
  const int L = static_cast<int>(std::clamp<std::int64_t>(levelLeft64, INT_MIN / 2, INT_MAX / 2));

  const int cx = L + half(I);
  const int cy = T + half(B - T);

  // Connector to the caption, line up, line down.
  out.lines.push_back({{in.hasChildren ? cx + H : cx, cy}, {L + I + H, cy}});
  out.lines.push_back({{cx, cy}, {cx, T - 1}});
  if (in.hasNextSibling) out.lines.push_back({{cx, cy}, {cx, B + 1}});

  out.hasBox = in.hasChildren;
  out.hasUpright = false;
  if (in.hasChildren) {
    out.box = {{cx - H, cy - H}, {cx + H, cy + H}};
    out.minus = {{cx - H + 2, cy}, {cx + H - 2, cy}};
    if (!in.expanded) {
      out.hasUpright = true;
      out.upright = {{cx, cy - H + 2}, {cx, cy + H - 2}};
    }
  }

  // Ancestor lines: ancestor k (1 = the parent) has its column k indents left of the item's. Only the
  // columns inside the clip range are visited.
  const std::int64_t ancestors =
      std::min<std::int64_t>(level, static_cast<std::int64_t>(in.ancestorHasNextSibling.size()));
  if (ancestors > 0 && I > 0) {
    // cx - k * I within [clipLeft, clipRight]  <=>  k within [(cx - clipRight) / I, (cx - clipLeft) / I].
    const std::int64_t c = cx;
    std::int64_t kFirst = 1;
    std::int64_t kLast = ancestors;
    if (in.clipRight != INT_MAX) {
      const std::int64_t d = c - in.clipRight;
      kFirst = std::max<std::int64_t>(kFirst, d <= 0 ? 1 : (d + I - 1) / I);
    }
    if (in.clipLeft != INT_MIN) {
      const std::int64_t d = c - in.clipLeft;
      kLast = std::min<std::int64_t>(kLast, d < 0 ? 0 : d / I);
    }
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
      if (!in.ancestorHasNextSibling[static_cast<std::size_t>(k - 1)]) continue;
      const int x = static_cast<int>(c - k * I);
      out.lines.push_back({{x, T}, {x, B}});
    }
  } else if (ancestors > 0) {
    // A zero indent puts every ancestor column on the item's own.
    for (std::int64_t k = 0; k < ancestors; ++k) {
      if (in.ancestorHasNextSibling[static_cast<std::size_t>(k)] && cx >= in.clipLeft && cx <= in.clipRight) {
        out.lines.push_back({{cx, T}, {cx, B}});
        break;
      }
    }
  }

  // The caption area starts where the connector ends. The picture sits there, left of the caption, and the
  // caption moves right past it, so the picture never hides any of the caption.
  out.captionStart = L + I + H;
  out.hasPicture = in.pictureIndex >= 0;
  if (out.hasPicture) {
    out.picture = {out.captionStart, T + half(B - T) - half(in.pictureHeight)};
    out.caption = {out.captionStart + in.pictureWidth + kTreePictureGap, T};
  } else {
    out.caption = {out.captionStart, T};
  }
}

TreeRowGeometry computeTreeRow(const TreeRowInput& in) {
  TreeRowGeometry g;
  computeTreeRow(in, g);
  return g;
}

TreePixelRect linePixels(const TreeLine& line) {
  const TreePoint p = line.from;
  const TreePoint q = line.to;
  if (p.y == q.y) {
    if (q.x > p.x) return {p.x, p.y, q.x - p.x, 1};
    if (q.x < p.x) return {q.x + 1, p.y, p.x - q.x, 1};
    return {p.x, p.y, 0, 0};
  }
  if (p.x == q.x) {
    if (q.y > p.y) return {p.x, p.y, 1, q.y - p.y};
    return {p.x, q.y + 1, 1, p.y - q.y};
  }
  // A slanted line never occurs in a tree row; colour its start point only.
  return {p.x, p.y, 1, 1};
}

}  // namespace corvantel::tree
