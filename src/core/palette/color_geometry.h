#pragma once

namespace corvantel::palette {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// A rectangle with exclusive right and bottom edges: (10, 4) to (28, 22) is 18 by 18 pixels.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect adjusted(int dl, int dt, int dr, int db) const { return {left + dl, top + dt, right + dr, bottom + db}; }
  Rect inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
  bool operator==(const Rect&) const = default;
};

}  // namespace corvantel::palette
