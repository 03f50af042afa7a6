#pragma once

// The splash screen on Qt: a frameless black window, always on top and
// centred, that mirrors TKIVSplash while start-up reads the reference data.
// The flashing label's timer lives here and follows the model's Interval.

#include <QWidget>
#include <string>

class QLabel;
class QTimer;

namespace tandrel {
struct Control;
class TKIVSplash;
}  // namespace tandrel

namespace tandrel::desktop {

class SplashView : public QWidget {
 public:
  explicit SplashView(TKIVSplash& model);
  ~SplashView() override;

  // Shows the window centred on the screen and paints it at once.
  void show_centred();
  // Shows the model's InterfaceUsingLabel; writes a pending logo failure to
  // the trace, which exists by now.
  void show_interface_file(const std::string& caption);
  // The width InterfaceUsingLabel needs for `caption` in its own font.
  int interface_label_width(const std::string& caption) const;

  QTimer& flash_timer() { return *timer_; }

 private:
  QLabel* add_label(const Control& control, const char* name, int pixels, const char* colour);
  void sync_flash_label();

  TKIVSplash& model_;
  QLabel* flash_ = nullptr;
  QLabel* interface_ = nullptr;
  QTimer* timer_ = nullptr;
  std::string logo_failure_;
};

}  // namespace tandrel::desktop
