#include "logo/Icon.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <variant>

#include "logo/Emblem.h"

namespace logo {

namespace {

// The globe's radius as a share of the icon's side: its outer ring, 1.12
// radii out, keeps a margin of the background all round.
constexpr double kIconGlobe = 0.41;

std::vector<Paint> icon_paints(int size) {
  const double centre = size / 2.0;
  return emblem_paints(centre, centre, size * kIconGlobe);
}

std::string hex(Colour c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r & 0xff, c.g & 0xff, c.b & 0xff);
  return text;
}

// A filled ellipse is a circle; a band between two ellipses is a circle
// stroked along its middle. The emblem uses no other shapes.
void svg_shape(std::ostringstream& s, const Paint& p) {
  const Ring& ring = std::get<Ring>(p.shape);
  s << "  <circle cx=\"" << ring.cx << "\" cy=\"" << ring.cy << "\"";
  if (ring.inner_rx <= 0) {
    s << " r=\"" << ring.rx << "\" fill=\"" << hex(p.colour) << "\"/>\n";
    return;
  }
  s << " r=\"" << (ring.rx + ring.inner_rx) / 2 << "\" fill=\"none\" stroke=\"" << hex(p.colour)
    << "\" stroke-width=\"" << ring.rx - ring.inner_rx << "\"/>\n";
}

}  // namespace

Canvas draw_icon(int size) {
  Canvas canvas(size, size, kBackground);
  for (const Paint& p : icon_paints(size)) canvas.fill({p.shape}, p.colour);
  return canvas;
}

std::string icon_svg(int size) {
  std::ostringstream s;
  s.precision(5);
  s << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << size << "\" height=\"" << size
    << "\" viewBox=\"0 0 " << size << " " << size << "\">\n";
  s << "  <rect width=\"" << size << "\" height=\"" << size << "\" fill=\"" << hex(kBackground)
    << "\"/>\n";
  for (const Paint& p : icon_paints(size)) svg_shape(s, p);
  s << "</svg>\n";
  return s.str();
}

void write_ppm(const Canvas& canvas, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "P6\n" << canvas.width() << " " << canvas.height() << "\n255\n";
  const auto& rgb = canvas.rgb();
  out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace logo
