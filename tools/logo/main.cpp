// tandrel-logo: draws Tandrel's logo and writes it as a JPEG, or draws the
// program's icon (the emblem alone) as a PPM picture or an SVG drawing.
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "logo/Canvas.h"
#include "logo/Emblem.h"
#include "logo/Icon.h"
#include "logo/JpegWriter.h"
#include "logo/Lettering.h"

namespace {

constexpr int kQuality = 90;

logo::Canvas draw_logo() {
  using namespace logo;
  Canvas canvas(kWidth, kHeight, kBackground);
  draw_emblem(canvas);
  double right = 0;
  canvas.fill(tandrel_lettering(kTextLeft, &right), kLetterColour);
  canvas.fill({Rect{kTextLeft, kRuleTop, right, kRuleTop + kRuleHeight}}, kRuleColour);
  return canvas;
}

constexpr const char* kUsage =
    "usage: tandrel-logo OUTPUT.jpg\n"
    "       tandrel-logo --icon SIZE OUTPUT.ppm\n"
    "       tandrel-logo --svg SIZE OUTPUT.svg\n";

void write_text(const std::string& text, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

int draw(int argc, char** argv) {
  if (argc == 2) {
    logo::write_jpeg(draw_logo(), argv[1], kQuality);
    return 0;
  }
  const std::string mode = argc == 4 ? argv[1] : "";
  const int size = argc == 4 ? std::atoi(argv[2]) : 0;
  if ((mode != "--icon" && mode != "--svg") || size < 16 || size > 4096) {
    std::cerr << kUsage;
    return 2;
  }
  if (mode == "--icon")
    logo::write_ppm(logo::draw_icon(size), argv[3]);
  else
    write_text(logo::icon_svg(size), argv[3]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return draw(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "tandrel-logo: " << e.what() << "\n";
    return 1;
  }
}
