#include "app/MainWindowStartup.h"

#include "process/Globals.h"

namespace tandrel {

MainWindowStartup::MainWindowStartup(const VarPageSize& page_size) : page_size_(page_size) {}

void MainWindowStartup::create_main_window() {
  form_ = std::make_unique<TGenerateForm>();
}

void MainWindowStartup::create_subset_dialogs() {
  form_->CreateSubsetDialogs();
}

void MainWindowStartup::build_variable_pages() {
  ProcessGlobals& g = globals();
  form_->BuildVariableTabs(*g.description, page_size_);
  os().process_messages();
  form_->ShowSelections(*g.selections, *g.description);
}

void MainWindowStartup::create_remaining_windows() {
  form_->CreateAboutBox();
}

}  // namespace tandrel
