#include "ui/SplashScreen.h"

#include "process/Exceptions.h"
#include "ui/TandrelLogo.h"

namespace tandrel {

TFlashLabel::TFlashLabel(std::string text) {
  caption = std::move(text);
}

void TFlashLabel::SetFlash(bool flash) {
  flash_ = flash;
  if (!flash_) visible = true;
  changed();
}

void TFlashLabel::SetInterval(int milliseconds) {
  if (milliseconds < 0)
    throw ERangeError("Flash interval " + std::to_string(milliseconds) +
                      " ms is out of range: it must not be negative");
  interval_ = milliseconds;
  changed();
}

void TFlashLabel::Tick() {
  if (!flash_) return;
  visible = !visible;
  changed();
}

void TFlashLabel::changed() {
  if (on_change) on_change();
}

namespace {

// A label across the whole client area, its text centred by the view.
void place(Control& label, int top, int height) {
  label.left = 0;
  label.top = top;
  label.width = TKIVSplash::ClientWidth;
  label.height = height;
}

}  // namespace

TKIVSplash::TKIVSplash() {
  KIVLogoImage.left = (ClientWidth - kLogoWidth) / 2;
  KIVLogoImage.top = 16;
  KIVLogoImage.width = kLogoWidth;
  KIVLogoImage.height = kLogoHeight;
  place(Label1, 204, 50);
  place(Label2, 262, 28);
  VersionLabel.caption = version_text();
  place(VersionLabel, 296, 16);
  place(FlashLabel1, 330, 28);
  place(InterfaceUsingLabel, 376, 16);
  InterfaceUsingLabel.width = 0;
}

void TKIVSplash::SetInterfaceUsingLabel(const std::string& caption, int width) {
  InterfaceUsingLabel.caption = caption;
  InterfaceUsingLabel.width = width;
  InterfaceUsingLabel.left = (ClientWidth - width) / 2;
}

}  // namespace tandrel
