#include "desktop/LogoPixmap.h"

#include <QImage>

#include "ui/TandrelLogo.h"

namespace tandrel::desktop {

QPixmap to_pixmap(const JpegImage& image) {
  if (image.empty()) return {};
  // QImage only borrows the rows; the pixmap takes its own copy.
  const QImage view(image.rgb.data(), image.width, image.height, image.width * 3,
                    QImage::Format_RGB888);
  return QPixmap::fromImage(view.copy());
}

LogoPixmap tandrel_logo_pixmap() {
  JpegDecodeResult decoded = decode_tandrel_logo();
  if (!decoded.ok()) return {{}, decoded.failure};
  return {to_pixmap(decoded.image), {}};
}

}  // namespace tandrel::desktop
