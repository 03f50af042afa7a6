#pragma once

// The window steps of start-up for the desktop: the main window's widgets
// come with its model, its variable pages once the model has built them.

#include <memory>

#include "app/MainWindowStartup.h"

namespace tandrel::desktop {

class MainWindow;
class QtPlatform;

class DesktopStartup : public MainWindowStartup {
 public:
  explicit DesktopStartup(QtPlatform& platform);
  ~DesktopStartup() override;

  void create_main_window() override;
  void build_variable_pages() override;
  void create_remaining_windows() override;

  MainWindow* window() const { return window_.get(); }

 private:
  QtPlatform& platform_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tandrel::desktop
