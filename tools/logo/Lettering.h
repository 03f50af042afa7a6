#pragma once

// The word "Tandrel" in a bold geometric sans drawn from rectangles and
// elliptic bands: stems of equal width, round bowls, flat cuts.

#include <vector>

#include "logo/Canvas.h"

namespace logo {

// The shapes of the word, its left edge at `left` and its baseline at
// kBaseline. `right` receives the x of the word's right edge.
std::vector<Shape> tandrel_lettering(double left, double* right);

}  // namespace logo
