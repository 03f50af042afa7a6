#pragma once

// The state of one control of a window model: what a widget mirrors.

#include <string>

namespace tandrel {

struct Control {
  std::string caption;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool enabled = true;
  bool visible = true;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

// Strips the "&" accelerator markers of a caption: "&Abort" -> "Abort".
std::string without_accelerator(const std::string& caption);

}  // namespace tandrel
