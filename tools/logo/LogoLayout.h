#pragma once

// Where tandrel-logo puts things on the logo. The drawing tool lays the
// picture out from these numbers, and the decoder's tests read the committed
// JPEG back at the probe points below, so the two cannot drift apart silently.
// Header-only and free of any library, so a test can include it.

namespace logo {

struct Colour {
  int r = 0;
  int g = 0;
  int b = 0;
};

inline constexpr int kWidth = 393;
inline constexpr int kHeight = 177;

// The splash screen is black; the logo's background must melt into it.
inline constexpr Colour kBackground{0, 0, 0};
inline constexpr Colour kLetterColour{244, 239, 226};
inline constexpr Colour kRuleColour{232, 160, 44};
inline constexpr Colour kGridColour{62, 178, 196};
inline constexpr Colour kGroupColour{246, 176, 54};

// The lettering: a bold geometric sans, all numbers in pixels.
inline constexpr double kTextLeft = 134.0;
inline constexpr double kBaseline = 114.0;
inline constexpr double kCapHeight = 62.0;
inline constexpr double kXHeight = 44.0;
inline constexpr double kStem = 11.0;       // vertical strokes
inline constexpr double kHairline = 9.0;    // horizontal strokes
inline constexpr double kLetterGap = 4.5;   // space between letters
inline constexpr double kTWidth = 44.0;     // the capital's bar
inline constexpr double kBowlWidth = 39.0;  // a, d, e
inline constexpr double kTKern = 4.0;       // the a tucks under the T's bar

// The thin rule under the word.
inline constexpr double kRuleTop = kBaseline + 14.0;
inline constexpr double kRuleHeight = 3.0;

// The emblem: a globe of dots, a few of them lit as groups.
inline constexpr double kGlobeX = 64.0;
inline constexpr double kGlobeY = 88.0;
inline constexpr double kGlobeRadius = 50.0;

// Points whose colour the tests check after the JPEG round trip.
struct Probe {
  const char* what;
  int x;
  int y;
  Colour colour;
};

inline constexpr Probe kProbes[] = {
    {"top left corner", 2, 2, kBackground},
    {"bottom right corner", kWidth - 3, kHeight - 3, kBackground},
    {"stem of the T", static_cast<int>(kTextLeft + kTWidth / 2),
     static_cast<int>(kBaseline - kCapHeight / 2), kLetterColour},
    {"bar of the T", static_cast<int>(kTextLeft + 6), static_cast<int>(kBaseline - kCapHeight + 4),
     kLetterColour},
    {"counter of the a", static_cast<int>(kTextLeft + kTWidth - kTKern + kBowlWidth / 2),
     static_cast<int>(kBaseline - kXHeight / 2), kBackground},
    {"rule under the word", static_cast<int>(kTextLeft + 120), static_cast<int>(kRuleTop + 1),
     kRuleColour},
};

}  // namespace logo
