#include "ui/TandrelLogo.h"

#include <cstddef>

namespace tandrel {

// Generated at build time from the committed JPEG by EmbedFile.cmake.
extern const unsigned char kTandrelLogoJpeg[];
extern const std::size_t kTandrelLogoJpegSize;

std::span<const unsigned char> tandrel_logo_jpeg() {
  return {kTandrelLogoJpeg, kTandrelLogoJpegSize};
}

JpegDecodeResult decode_logo(std::span<const unsigned char> jpeg) {
  JpegDecodeResult result = decode_jpeg(jpeg);
  if (!result.ok()) result.failure = "Logo not shown: " + result.failure;
  return result;
}

JpegDecodeResult decode_tandrel_logo() {
  return decode_logo(tandrel_logo_jpeg());
}

}  // namespace tandrel
