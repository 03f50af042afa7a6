#pragma once

// The start-up steps that create the main window and its dialogs as models:
// the window first, the subset dialogs once the reference data is read, the
// variable pages and the window's first showing of the selections, the about
// box last. A desktop front end derives from it to add its widgets.

#include <memory>

#include "app/Startup.h"
#include "ui/GenerateForm.h"
#include "ui/SplashScreen.h"
#include "ui/VariableTabs.h"

namespace tandrel {

class MainWindowStartup : public StartupWindows {
 public:
  // `session`: what the window works on, filled by start-up; the caller
  // owns it and keeps it for the window's life. `page_size`: the client
  // areas the desktop window gives a variable page.
  explicit MainWindowStartup(Session& session, const VarPageSize& page_size = {});

  void create_main_window() override;
  void create_subset_dialogs() override;
  void build_variable_pages() override;
  void create_remaining_windows() override;

  // The window; null before create_main_window.
  TGenerateForm* form() const { return form_.get(); }

  // The splash screen, from show_splash_screen to close_splash_screen.
  void show_splash_screen() override;
  void show_interface_file(const std::string& label) override;
  void close_splash_screen() override;
  TKIVSplash* splash() const { return splash_.get(); }

 protected:
  // The width of InterfaceUsingLabel showing `caption`; a desktop measures
  // it in the label's own font.
  virtual int interface_label_width(const std::string& caption) const;

 private:
  Session& session_;
  VarPageSize page_size_;
  std::unique_ptr<TGenerateForm> form_;
  std::unique_ptr<TKIVSplash> splash_;
};

}  // namespace tandrel
