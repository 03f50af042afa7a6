#pragma once

// Pictures stored with a form as JPEG bytes, decoded with libjpeg into plain
// RGB pixels that any widget toolkit can show.
//
// A damaged picture never stops the program: the decoder leaves libjpeg
// through its own error manager, and the caller gets an empty picture and a
// one-line reason to write to the trace. libjpeg's warnings are kept off
// stderr. A warning means the data is corrupt (a truncated file, a damaged
// entropy-coded segment, stray bytes before a marker); libjpeg would carry on
// and fill the rest with grey, but a logo shown half grey looks broken, so
// the first warning ends the decoding as a damaged picture too.

#include <span>
#include <string>
#include <vector>

namespace tandrel {

struct RgbPixel {
  unsigned char r = 0;
  unsigned char g = 0;
  unsigned char b = 0;
};

// Width by height pixels, three bytes each (red, green, blue), rows top to
// bottom. Empty when nothing was decoded.
struct JpegImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  bool empty() const { return rgb.empty(); }
  // The pixel at column x, row y; both must lie inside the picture.
  RgbPixel pixel(int x, int y) const;
};

struct JpegDecodeResult {
  JpegImage image;
  // Why no picture came out, in one line; empty when the image is whole.
  std::string failure;

  bool ok() const { return failure.empty(); }
};

// Pictures wider or taller than this are refused before any memory is
// allocated for them: Tandrel shows nothing near that size, and a damaged
// header must not make it ask for gigabytes.
inline constexpr int kMaxJpegSide = 4096;

// Decodes a whole JPEG (baseline or progressive, colour or grey) held in
// memory. Never throws for bad data, never prints, never ends the process.
JpegDecodeResult decode_jpeg(std::span<const unsigned char> bytes);

}  // namespace tandrel
