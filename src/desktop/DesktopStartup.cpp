#include "desktop/DesktopStartup.h"

#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"
#include "desktop/SplashView.h"

namespace tandrel::desktop {

DesktopStartup::DesktopStartup(QtPlatform& platform, Session& session)
    : MainWindowStartup(session), platform_(platform) {}

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

// --- the splash screen ---

void DesktopStartup::show_splash_screen() {
  MainWindowStartup::show_splash_screen();
  splash_view_ = std::make_unique<SplashView>(*splash());
  splash_view_->show_centred();
}

void DesktopStartup::show_interface_file(const std::string& label) {
  MainWindowStartup::show_interface_file(label);
  if (splash_view_) splash_view_->show_interface_file(label);
}

int DesktopStartup::interface_label_width(const std::string& caption) const {
  if (splash_view_) return splash_view_->interface_label_width(caption);
  return MainWindowStartup::interface_label_width(caption);
}

void DesktopStartup::close_splash_screen() {
  splash_view_.reset();
  MainWindowStartup::close_splash_screen();
}

}  // namespace tandrel::desktop
