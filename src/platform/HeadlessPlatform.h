#pragma once

// The scripted platform of the tests: message boxes and shown dialogs are
// recorded (and written to standard error when echo is on); modal dialogs
// and the save-file dialog are answered from a script; the clock, the
// folders, free space and writability can be fixed; ending the program
// throws ProgramEnded. What is not overridden the system services answer.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/SystemServices.h"

namespace tandrel::platform {

class HeadlessPlatform : public Platform {
 public:
  // One thing the user saw: a message box or a shown dialog.
  struct Shown {
    std::string what;  // "message" or the dialog's name
    std::string text;
  };
  using Answer = std::function<void(ModalDialog&)>;

  // --- scripting (tests and batch) ---
  // Answers the next modal dialog by pressing `button`.
  void script_answer(std::string button);
  // Answers the next modal dialog with an arbitrary action on its model.
  void script_action(Answer action);
  // The next save-file dialog returns `file_name` (nullopt: cancelled).
  void script_save_file(std::optional<std::string> file_name);
  // The next open-file dialog returns `file_name` (nullopt: cancelled).
  void script_open_file(std::optional<std::string> file_name);
  // Called on every process_messages(); tests use it to press Stop mid-run.
  void set_pump_hook(std::function<void()> hook) {
    pump_hook_ = std::move(hook);
    ++hook_generation_;
  }
  void fix_clock(const DateTime& time) { fixed_clock_ = time; }
  void release_clock() { fixed_clock_.reset(); }
  void set_program_directory(std::string dir) { system_.set_program_directory(std::move(dir)); }
  void set_system_directory(std::string dir) { system_.set_system_directory(std::move(dir)); }
  // Overrides the answer of directory_writable for every directory (nullopt:
  // ask the file system); tests run as root, who may write anywhere.
  void set_directories_writable(std::optional<bool> writable) { writable_ = writable; }
  // Overrides the user's folders (tests); empty strings stand for none.
  void set_user_directories(std::string state, std::string config);
  // Overrides the free-space answer (nullopt: ask the file system).
  void set_free_disk_space(std::optional<std::int64_t> bytes) { free_space_ = bytes; }
  void set_echo(bool echo) { echo_ = echo; }

  // --- observation ---
  const std::vector<Shown>& shown() const { return shown_; }
  std::vector<std::string> messages() const;  // texts of message boxes only
  void clear_shown() { shown_.clear(); }
  const std::vector<std::string>& opened_documents() const { return opened_; }
  int pump_count() const { return pump_count_; }

  // --- Platform ---
  void message_box(std::string_view text, MessageKind kind) override;
  void show_modal(ModalDialog& dialog) override;
  void process_messages() override;
  std::optional<std::string> save_file_dialog(const SaveFileRequest& request) override;
  std::optional<std::string> open_file_dialog(const OpenFileRequest& request) override;
  std::unique_ptr<PrintJob> print_dialog(const PrintRequest& request) override;
  void printer_setup_dialog() override;
  void shell_open(std::string_view target) override;
  std::string program_directory() const override { return system_.program_directory(); }
  std::string system_directory() const override { return system_.system_directory(); }
  bool file_exists(const std::string& path) const override;
  bool directory_exists(const std::string& path) const override;
  bool create_directory(const std::string& path) override;
  bool directory_writable(const std::string& path) const override;
  bool file_writable(const std::string& path) const override;
  std::string user_state_directory() const override;
  std::string user_config_directory() const override;
  std::int64_t free_disk_space(const std::string& path) const override;
  char path_delimiter() const override { return '/'; }
  DateTime now() const override;
  double time_of_day() const override;
  int text_width(std::string_view text) const override;
  [[noreturn]] void end_program(int status) override;

 private:
  void record(std::string what, std::string text);

  SystemServices system_;

  std::vector<Shown> shown_;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> save_files_;
  std::deque<std::optional<std::string>> open_files_;
  std::function<void()> pump_hook_;
  std::optional<DateTime> fixed_clock_;
  std::optional<std::int64_t> free_space_;
  std::vector<std::string> opened_;
  std::optional<bool> writable_;
  std::optional<std::pair<std::string, std::string>> user_dirs_;
  bool echo_ = true;
  int pump_count_ = 0;
  int hook_generation_ = 0;
};

}  // namespace tandrel::platform
