#include "desktop/DesktopStartup.h"

#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"

namespace tandrel::desktop {

DesktopStartup::DesktopStartup(QtPlatform& platform) : platform_(platform) {}

DesktopStartup::~DesktopStartup() = default;

void DesktopStartup::create_main_window() {
  MainWindowStartup::create_main_window();
  window_ = std::make_unique<MainWindow>(*form());
  platform_.set_main_widget(window_.get());
}

void DesktopStartup::build_variable_pages() {
  MainWindowStartup::build_variable_pages();
  window_->build_variable_pages();
}

void DesktopStartup::create_remaining_windows() {
  MainWindowStartup::create_remaining_windows();
  window_->refresh();
}

}  // namespace tandrel::desktop
