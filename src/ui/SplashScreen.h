#pragma once

// TKIVSplash: the window shown while Tandrel starts, with its blinking
// TFlashLabel. The models hold the texts, the places and the blinking; a
// toolkit's view owns the timer, follows Interval and calls Tick on each of
// its ticks.

#include <functional>
#include <string>

#include "diagnostics/Control.h"
#include "ui/AboutBox.h"

namespace tandrel {

// A label that toggles between visible and hidden on every tick of its
// timer, while Flash is true.
class TFlashLabel : public Control {
 public:
  static constexpr int kDefaultInterval = 500;

  explicit TFlashLabel(std::string text);

  bool Flash() const { return flash_; }
  // Setting false stops the blinking and leaves the label visible.
  void SetFlash(bool flash);
  // Milliseconds between two toggles; also the timer's interval.
  int Interval() const { return interval_; }
  // Raises ERangeError for a negative interval and keeps the old one.
  void SetInterval(int milliseconds);
  // One tick of the timer.
  void Tick();

  // Called after every change of Flash, Interval or visibility, so that a
  // view repaints the label and resets its timer.
  std::function<void()> on_change;

 private:
  void changed();

  bool flash_ = true;
  int interval_ = kDefaultInterval;
};

class TKIVSplash {
 public:
  TKIVSplash();

  static constexpr int ClientWidth = 486;
  static constexpr int ClientHeight = 411;
  // Where the logo sits: centred at the top.
  Control KIVLogoImage;
  Control Label1{"Welcome to Tandrel"};
  Control Label2{"Kivora Data Generation Program"};
  Control VersionLabel;
  TFlashLabel FlashLabel1{"Initializing Data... Please Wait..."};
  Control InterfaceUsingLabel;

  // Shows `caption` (which names the description file in use) in
  // InterfaceUsingLabel, `width` pixels wide, centred in the client area.
  void SetInterfaceUsingLabel(const std::string& caption, int width);
};

}  // namespace tandrel
