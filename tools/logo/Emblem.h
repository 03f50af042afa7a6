#pragma once

// The emblem: a globe drawn as a lattice of dots, lit from the front, with
// a few dots picked out in amber, the groups living in the states.

#include "logo/Canvas.h"

namespace logo {

void draw_emblem(Canvas& canvas);

}  // namespace logo
