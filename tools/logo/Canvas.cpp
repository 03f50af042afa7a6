#include "logo/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace logo {

namespace {

// 8 by 8 samples a pixel: edges of letters and dots smooth to 1/64.
constexpr int kSamples = 8;

bool angle_in_range(double deg, double from, double to) {
  if (to - from >= 360.0) return true;
  const double offset = std::fmod(std::fmod(deg - from, 360.0) + 360.0, 360.0);
  return offset <= to - from;
}

bool inside_ellipse(double dx, double dy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return false;
  return (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0;
}

struct Box {
  double x0, y0, x1, y1;
};

Box bounds(const Shape& shape) {
  if (const auto* r = std::get_if<Rect>(&shape)) return {r->x0, r->y0, r->x1, r->y1};
  const auto& g = std::get<Ring>(shape);
  return {g.cx - g.rx, g.cy - g.ry, g.cx + g.rx, g.cy + g.ry};
}

}  // namespace

bool contains(const Shape& shape, double x, double y) {
  if (const auto* r = std::get_if<Rect>(&shape)) {
    return x >= r->x0 && x < r->x1 && y >= r->y0 && y < r->y1;
  }
  const auto& g = std::get<Ring>(shape);
  const double dx = x - g.cx;
  const double dy = y - g.cy;
  if (!inside_ellipse(dx, dy, g.rx, g.ry)) return false;
  if (inside_ellipse(dx, dy, g.inner_rx, g.inner_ry)) return false;
  const double deg = std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
  return angle_in_range(deg, g.from_deg, g.to_deg);
}

Canvas::Canvas(int width, int height, Colour background)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3) {
  for (std::size_t i = 0; i < rgb_.size(); i += 3) {
    rgb_[i] = static_cast<unsigned char>(background.r);
    rgb_[i + 1] = static_cast<unsigned char>(background.g);
    rgb_[i + 2] = static_cast<unsigned char>(background.b);
  }
}

void Canvas::fill(const std::vector<Shape>& shapes, Colour colour) {
  if (shapes.empty()) return;
  Box box = bounds(shapes.front());
  for (const Shape& s : shapes) {
    const Box b = bounds(s);
    box = {std::min(box.x0, b.x0), std::min(box.y0, b.y0), std::max(box.x1, b.x1),
           std::max(box.y1, b.y1)};
  }
  const int x0 = std::max(0, static_cast<int>(std::floor(box.x0)));
  const int y0 = std::max(0, static_cast<int>(std::floor(box.y0)));
  const int x1 = std::min(width_, static_cast<int>(std::ceil(box.x1)) + 1);
  const int y1 = std::min(height_, static_cast<int>(std::ceil(box.y1)) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const double share = coverage(shapes, x, y);
      if (share > 0) blend(x, y, colour, share);
    }
  }
}

double Canvas::coverage(const std::vector<Shape>& shapes, int x, int y) const {
  int hits = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const double px = x + (sx + 0.5) / kSamples;
      const double py = y + (sy + 0.5) / kSamples;
      for (const Shape& s : shapes) {
        if (contains(s, px, py)) {
          ++hits;
          break;
        }
      }
    }
  }
  return static_cast<double>(hits) / (kSamples * kSamples);
}

void Canvas::blend(int x, int y, Colour colour, double share) {
  unsigned char* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
  const int target[3] = {colour.r, colour.g, colour.b};
  for (int c = 0; c < 3; ++c) {
    const double mixed = p[c] + (target[c] - p[c]) * share;
    p[c] = static_cast<unsigned char>(std::lround(std::clamp(mixed, 0.0, 255.0)));
  }
}

}  // namespace logo
