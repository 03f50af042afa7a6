// tandrel-logo: draws Tandrel's logo and writes it as a JPEG.
#include <exception>
#include <iostream>
#include <string>

#include "logo/Canvas.h"
#include "logo/Emblem.h"
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tandrel-logo OUTPUT.jpg\n";
    return 2;
  }
  try {
    logo::write_jpeg(draw_logo(), argv[1], kQuality);
  } catch (const std::exception& e) {
    std::cerr << "tandrel-logo: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
