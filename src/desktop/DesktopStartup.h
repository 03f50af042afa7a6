#pragma once

// The window steps of start-up for the desktop: the main window's widgets
// come with its model, its variable pages once the model has built them.

#include <memory>

#include "app/MainWindowStartup.h"

namespace tandrel::desktop {

class MainWindow;
class QtPlatform;
class SplashView;

class DesktopStartup : public MainWindowStartup {
 public:
  DesktopStartup(QtPlatform& platform, Session& session);
  ~DesktopStartup() override;

  void create_main_window() override;
  void build_variable_pages() override;
  void create_remaining_windows() override;

  MainWindow* window() const { return window_.get(); }

  // The splash screen's window, from its showing to step 14.
  void show_splash_screen() override;
  void show_interface_file(const std::string& label) override;
  void close_splash_screen() override;
  SplashView* splash_view() const { return splash_view_.get(); }

 protected:
  int interface_label_width(const std::string& caption) const override;

 private:
  QtPlatform& platform_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<SplashView> splash_view_;
};

}  // namespace tandrel::desktop
