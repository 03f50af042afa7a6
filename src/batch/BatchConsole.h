#pragma once

// What tandrel-batch shows on standard error of the reports, messages and
// dialogs of a run: each report once, however often it recurs, and with
// --quiet only what went wrong. No one is there to answer a dialog: each is
// answered as an unattended platform does, the save-file and print dialogs
// are cancelled. Files, folders and the clock are the system's.

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/SystemPlatform.h"

namespace tandrel {

class BatchPlatform : public platform::SystemPlatform {
 public:
  explicit BatchPlatform(std::ostream& err) : err_(err) {}

  // Called on every pump of a run (the batch looks for Ctrl-C there).
  void set_pump_hook(std::function<void()> hook) { pump_hook_ = std::move(hook); }

  // Only errors from now on: reports, error messages, a failed output.
  void set_quiet(bool quiet) { quiet_ = quiet; }
  bool quiet() const { return quiet_; }

  void message_box(std::string_view text, platform::MessageKind kind) override;
  void show_modal(platform::ModalDialog& dialog) override;
  void process_messages() override;
  std::optional<std::string> save_file_dialog(const platform::SaveFileRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> open_file_dialog(const platform::OpenFileRequest&) override {
    return std::nullopt;
  }
  std::unique_ptr<platform::PrintJob> print_dialog(const platform::PrintRequest&) override {
    return nullptr;
  }
  void printer_setup_dialog() override {}
  void shell_open(std::string_view) override {}
  int text_width(std::string_view text) const override {
    return platform::estimated_text_width(text);
  }
  [[noreturn]] void end_program(int status) override { throw platform::ProgramEnded{status}; }

  // One line for every report held back as a repeat: the report and
  // "(the same report N more times)". Clears the count.
  void print_repeats();

 private:
  void show(const std::string& what, const std::string& text);

  std::function<void()> pump_hook_;
  std::ostream& err_;
  bool quiet_ = false;
  // Repeats held back, by the report's words; in the order first shown.
  std::map<std::string, int> repeats_;
  std::vector<std::string> order_;
};

// The words of a report without the time stamp of an error report
// ("Error at 3:07 pm, July 3, 2005:  "), so that repeats compare equal.
std::string report_words(const std::string& text);

}  // namespace tandrel
