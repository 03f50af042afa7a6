#pragma once

// Tandrel's logo, the picture stored with the splash screen and the about
// box. Its JPEG bytes are built into the program (data/logo/tandrel-logo.jpg,
// drawn by tools/logo), so no installation can lose it.

#include <span>

#include "ui/JpegImage.h"

namespace tandrel {

// The logo's size as drawn; the about box stretches it into 217 by 97.
inline constexpr int kLogoWidth = 393;
inline constexpr int kLogoHeight = 177;

std::span<const unsigned char> tandrel_logo_jpeg();

// Decodes `jpeg` as the logo. On failure the image is empty and `failure`
// is the one line the window writes to the trace before it goes on without
// a logo, e.g. "Logo not shown: damaged data: Premature end of JPEG file".
JpegDecodeResult decode_logo(std::span<const unsigned char> jpeg);

// decode_logo of the logo built into the program.
JpegDecodeResult decode_tandrel_logo();

}  // namespace tandrel
