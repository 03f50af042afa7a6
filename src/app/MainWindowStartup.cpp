#include "app/MainWindowStartup.h"

#include "process/Globals.h"

namespace tandrel {

MainWindowStartup::MainWindowStartup(Session& session, const VarPageSize& page_size)
    : session_(session), page_size_(page_size) {}

void MainWindowStartup::create_main_window() {
  form_ = std::make_unique<TGenerateForm>(session_);
}

void MainWindowStartup::create_subset_dialogs() {
  form_->CreateSubsetDialogs();
}

void MainWindowStartup::build_variable_pages() {
  form_->BuildVariableTabs(*session_.description, page_size_);
  os().process_messages();
  form_->ShowSelections(*session_.selections, *session_.description);
}

void MainWindowStartup::create_remaining_windows() {
  form_->CreateAboutBox();
}

void MainWindowStartup::show_splash_screen() {
  splash_ = std::make_unique<TKIVSplash>();
}

void MainWindowStartup::show_interface_file(const std::string& label) {
  if (splash_) splash_->SetInterfaceUsingLabel(label, interface_label_width(label));
}

int MainWindowStartup::interface_label_width(const std::string& caption) const {
  return os().text_width(caption);
}

void MainWindowStartup::close_splash_screen() {
  splash_.reset();
}

}  // namespace tandrel
