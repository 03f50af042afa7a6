#pragma once

// The logo built into the program, decoded with Tandrel's own JPEG decoder
// and handed to Qt as a pixmap. Qt's image plugins never see the JPEG.

#include <QPixmap>
#include <string>

namespace tandrel {
struct JpegImage;
}

namespace tandrel::desktop {

struct LogoPixmap {
  QPixmap pixmap;  // null when the logo could not be decoded
  // The one line for the trace when it could not; empty otherwise.
  std::string failure;
};

LogoPixmap tandrel_logo_pixmap();

// A decoded picture as a pixmap; null for an empty picture.
QPixmap to_pixmap(const JpegImage& image);

}  // namespace tandrel::desktop
