#pragma once

#include <string>

#include "logo/Canvas.h"

namespace logo {

// Writes `canvas` as a baseline JPEG of the given quality, without chroma
// subsampling so thin coloured edges stay clean. Throws std::runtime_error
// when the file cannot be written.
void write_jpeg(const Canvas& canvas, const std::string& path, int quality);

}  // namespace logo
