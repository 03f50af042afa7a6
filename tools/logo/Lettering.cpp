#include "logo/Lettering.h"

namespace logo {

namespace {

using Shapes = std::vector<Shape>;

constexpr double kCapTop = kBaseline - kCapHeight;
constexpr double kXTop = kBaseline - kXHeight;

// A bowl of the lower-case letters: round, its sides heavier than its top
// and bottom as in any drawn bold face.
Ring bowl(double left, double from_deg = 0, double to_deg = 360) {
  const double rx = kBowlWidth / 2;
  const double ry = kXHeight / 2 + 0.5;
  return {left + rx,  kBaseline - kXHeight / 2, rx,       ry,
          rx - kStem, ry - kHairline,           from_deg, to_deg};
}

double letter_T(double x, Shapes& out) {
  out.push_back(Rect{x, kCapTop, x + kTWidth, kCapTop + kHairline + 1});
  const double mid = x + kTWidth / 2;
  out.push_back(Rect{mid - kStem / 2, kCapTop, mid + kStem / 2, kBaseline});
  return kTWidth;
}

// A single-storey a: a bowl against a stem at the x-height; `d` is the same
// with the stem raised to the cap height.
double letter_a_or_d(double x, double stem_top, Shapes& out) {
  out.push_back(bowl(x));
  out.push_back(Rect{x + kBowlWidth - kStem, stem_top, x + kBowlWidth, kBaseline});
  return kBowlWidth;
}

double letter_n(double x, Shapes& out) {
  constexpr double kWidth = 35.0;
  constexpr double rx = kWidth / 2;
  constexpr double ry = 19.0;
  out.push_back(Rect{x, kXTop, x + kStem, kBaseline});
  out.push_back(Ring{x + rx, kXTop + ry, rx, ry, rx - kStem, ry - kHairline, 0, 180});
  out.push_back(Rect{x + kWidth - kStem, kXTop + ry - 0.5, x + kWidth, kBaseline});
  return kWidth;
}

double letter_r(double x, Shapes& out) {
  constexpr double rx = 20.0;
  constexpr double ry = 19.0;
  out.push_back(Rect{x, kXTop, x + kStem, kBaseline});
  out.push_back(Ring{x + rx, kXTop + ry, rx, ry, rx - kStem, ry - kHairline, 62, 180});
  return 27.0;
}

// The e opens below its bar on the right.
double letter_e(double x, Shapes& out) {
  out.push_back(bowl(x, 0, 322));
  const double mid = kBaseline - kXHeight / 2;
  out.push_back(Rect{x + 2, mid - kHairline / 2, x + kBowlWidth, mid + kHairline / 2});
  return kBowlWidth;
}

double letter_l(double x, Shapes& out) {
  out.push_back(Rect{x, kCapTop, x + kStem, kBaseline});
  return kStem;
}

}  // namespace

std::vector<Shape> tandrel_lettering(double left, double* right) {
  Shapes out;
  double x = left;
  x += letter_T(x, out) - kTKern;
  x += letter_a_or_d(x, kXTop, out) + kLetterGap;
  x += letter_n(x, out) + kLetterGap;
  x += letter_a_or_d(x, kCapTop, out) + kLetterGap;
  x += letter_r(x, out) + kLetterGap - 2.0;
  x += letter_e(x, out) + kLetterGap;
  x += letter_l(x, out);
  if (right != nullptr) *right = x;
  return out;
}

}  // namespace logo
