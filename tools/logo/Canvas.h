#pragma once

// An RGB picture that shapes are painted on with smooth edges. Each fill
// paints the union of its shapes in one colour, so shapes that meet (the stem
// and the arch of an n) leave no seam where their edges overlap.

#include <variant>
#include <vector>

#include "logo/LogoLayout.h"

namespace logo {

// An upright rectangle, x0 <= x < x1 and y0 <= y < y1, in pixels (y down).
struct Rect {
  double x0, y0, x1, y1;
};

// The band between two ellipses around one centre, limited to the angles
// from `from_deg` counter-clockwise to `to_deg` (0 is to the right, 90 up).
// An inner size of zero makes a filled ellipse.
struct Ring {
  double cx, cy;
  double rx, ry;
  double inner_rx = 0, inner_ry = 0;
  double from_deg = 0, to_deg = 360;
};

using Shape = std::variant<Rect, Ring>;

bool contains(const Shape& shape, double x, double y);

class Canvas {
 public:
  Canvas(int width, int height, Colour background);

  // Paints the union of `shapes`; edge pixels blend by the share they cover.
  void fill(const std::vector<Shape>& shapes, Colour colour);

  int width() const { return width_; }
  int height() const { return height_; }
  // Three bytes a pixel, rows top to bottom.
  const std::vector<unsigned char>& rgb() const { return rgb_; }

 private:
  double coverage(const std::vector<Shape>& shapes, int x, int y) const;
  void blend(int x, int y, Colour colour, double share);

  int width_;
  int height_;
  std::vector<unsigned char> rgb_;
};

}  // namespace logo
