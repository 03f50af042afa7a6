#pragma once

// The start-up steps that create the main window and its dialogs as models:
// the window first, the subset dialogs once the reference data is read, the
// variable pages and the window's first showing of the selections, the about
// box last. A desktop front end derives from it to add its widgets.

#include <memory>

#include "app/Startup.h"
#include "ui/GenerateForm.h"
#include "ui/VariableTabs.h"

namespace tandrel {

class MainWindowStartup : public StartupWindows {
 public:
  // `page_size`: the client areas the desktop window gives a variable page.
  explicit MainWindowStartup(const VarPageSize& page_size = {});

  void create_main_window() override;
  void create_subset_dialogs() override;
  void build_variable_pages() override;
  void create_remaining_windows() override;

  // The window; null before create_main_window.
  TGenerateForm* form() const { return form_.get(); }

 private:
  VarPageSize page_size_;
  std::unique_ptr<TGenerateForm> form_;
};

}  // namespace tandrel
