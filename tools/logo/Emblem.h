#pragma once

// The emblem: a globe drawn as a lattice of dots, lit from the front, with
// a few dots picked out in amber, the groups living in the states.

#include <vector>

#include "logo/Canvas.h"

namespace logo {

// One shape of the emblem in its colour, painted in order.
struct Paint {
  Shape shape;
  Colour colour;
};

// The emblem's shapes for a globe centred at (cx, cy) with radius `radius`;
// every size scales with the radius.
std::vector<Paint> emblem_paints(double cx, double cy, double radius);

// The emblem at its place on the logo.
void draw_emblem(Canvas& canvas);

}  // namespace logo
