#pragma once

// The program's icon: the logo's emblem alone, centred on a square of the
// logo's black, as a picture of any size and as an SVG drawing of the same
// shapes.

#include <string>

#include "logo/Canvas.h"

namespace logo {

// The icon drawn at `size` by `size` pixels.
Canvas draw_icon(int size);

// The icon as an SVG document `size` units square.
std::string icon_svg(int size);

// Writes `canvas` as a binary PPM (P6). Throws std::runtime_error when the
// file cannot be written.
void write_ppm(const Canvas& canvas, const std::string& path);

}  // namespace logo
