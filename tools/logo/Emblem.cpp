#include "logo/Emblem.h"

#include <cmath>
#include <numbers>

namespace logo {

namespace {

constexpr double kTiltDeg = 20.0;  // the north pole leans towards the viewer
constexpr double kSpinDeg = 7.5;   // no meridian runs straight down the middle
constexpr double kStepDeg = 15.0;

struct Projected {
  double x, y, depth;  // depth 1 faces the viewer, 0 is on the rim
};

double radians(double deg) {
  return deg * std::numbers::pi / 180.0;
}

// Where the globe is drawn and how large.
struct Globe {
  double cx, cy, radius;
  double scale() const { return radius / kGlobeRadius; }
};

Projected project(const Globe& g, double lat_deg, double lon_deg) {
  const double lat = radians(lat_deg);
  const double lon = radians(lon_deg + kSpinDeg);
  const double x = std::cos(lat) * std::sin(lon);
  const double y = std::sin(lat);
  const double z = std::cos(lat) * std::cos(lon);
  const double t = radians(kTiltDeg);
  const double yt = y * std::cos(t) - z * std::sin(t);
  const double zt = y * std::sin(t) + z * std::cos(t);
  return {g.cx + g.radius * x, g.cy - g.radius * yt, zt};
}

Colour scaled(Colour c, double f) {
  return {static_cast<int>(c.r * f), static_cast<int>(c.g * f), static_cast<int>(c.b * f)};
}

Shape dot(double x, double y, double r) {
  return Ring{x, y, r, r};
}

// Cells of the lattice, latitude and longitude, that hold a group.
struct Cell {
  double lat, lon;
};
constexpr Cell kGroups[] = {{30, -30}, {15, -30}, {15, -15}, {45, -15},  {0, 15},
                            {-15, 15}, {-15, 30}, {30, 30},  {-30, -15}, {0, -45}};

bool is_group(double lat, double lon) {
  for (const Cell& c : kGroups) {
    if (c.lat == lat && c.lon == lon) return true;
  }
  return false;
}

void add_lattice(const Globe& g, std::vector<Paint>& paints) {
  const double k = g.scale();
  for (double lat = -60; lat <= 60; lat += kStepDeg) {
    for (double lon = -180; lon < 180; lon += kStepDeg) {
      const Projected p = project(g, lat, lon);
      if (p.depth < 0.08) continue;
      const double light = 0.30 + 0.70 * p.depth;
      if (is_group(lat, lon)) {
        paints.push_back({dot(p.x, p.y, 5.5 * k), scaled(kGroupColour, 0.14)});
        paints.push_back({dot(p.x, p.y, 3.4 * k), kGroupColour});
      } else {
        paints.push_back({dot(p.x, p.y, (0.8 + 1.7 * p.depth) * k), scaled(kGridColour, light)});
      }
    }
  }
}

}  // namespace

std::vector<Paint> emblem_paints(double cx, double cy, double radius) {
  const Globe g{cx, cy, radius};
  const double k = g.scale();
  const double r = radius + 6.0 * k;
  std::vector<Paint> paints = {
      {Ring{cx, cy, r, r, r - 1.6 * k, r - 1.6 * k}, scaled(kGridColour, 0.55)}};
  add_lattice(g, paints);
  return paints;
}

void draw_emblem(Canvas& canvas) {
  for (const Paint& p : emblem_paints(kGlobeX, kGlobeY, kGlobeRadius))
    canvas.fill({p.shape}, p.colour);
}

}  // namespace logo
