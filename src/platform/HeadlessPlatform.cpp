#include "platform/HeadlessPlatform.h"

#include <iostream>
#include <stdexcept>

#include "platform/UnattendedAnswer.h"

namespace tandrel::platform {

void HeadlessPlatform::script_answer(std::string button) {
  // A script that names a button the dialog does not offer is a fault of
  // the test, not an answer: closing the dialog would hide it.
  answers_.push_back([button = std::move(button)](ModalDialog& dialog) {
    if (!dialog.press(button))
      throw std::logic_error("The scripted answer \"" + button + "\" names no enabled button of " +
                             std::string(dialog.dialog_name()));
  });
}

void HeadlessPlatform::script_action(Answer action) {
  answers_.push_back(std::move(action));
}

void HeadlessPlatform::script_save_file(std::optional<std::string> file_name) {
  save_files_.push_back(std::move(file_name));
}

void HeadlessPlatform::script_open_file(std::optional<std::string> file_name) {
  open_files_.push_back(std::move(file_name));
}

std::vector<std::string> HeadlessPlatform::messages() const {
  std::vector<std::string> texts;
  for (const auto& s : shown_)
    if (s.what == "message") texts.push_back(s.text);
  return texts;
}

void HeadlessPlatform::record(std::string what, std::string text) {
  if (echo_) std::cerr << "[" << what << "] " << text << "\n";
  shown_.push_back({std::move(what), std::move(text)});
}

void HeadlessPlatform::message_box(std::string_view text, MessageKind) {
  record("message", std::string(text));
}

void HeadlessPlatform::show_modal(ModalDialog& dialog) {
  record(std::string(dialog.dialog_name()), dialog.dialog_text());
  dialog.set_showing(true);
  // A scripted answer may leave the dialog open (Help, moving list items);
  // the next answer then acts on the same showing.
  while (dialog.is_showing()) {
    if (answers_.empty()) {
      // Without a script the dialog is answered as no user is there.
      answer_unattended(dialog);
    } else {
      Answer next = std::move(answers_.front());
      answers_.pop_front();
      next(dialog);
    }
  }
}

void HeadlessPlatform::process_messages() {
  ++pump_count_;
  if (!pump_hook_) return;
  // The hook may replace or clear itself, and what it does may pump again:
  // it runs from a local copy and is not re-entered.
  auto generation = hook_generation_;
  auto hook = std::move(pump_hook_);
  pump_hook_ = nullptr;
  hook();
  if (hook_generation_ == generation) pump_hook_ = std::move(hook);
}

namespace {

// The next scripted answer of a file dialog; cancelled when none is left.
std::optional<std::string> next_file_answer(std::deque<std::optional<std::string>>& answers) {
  if (answers.empty()) return std::nullopt;
  auto answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

std::optional<std::string> HeadlessPlatform::save_file_dialog(const SaveFileRequest& request) {
  record("save file dialog", request.initial_file_name);
  return next_file_answer(save_files_);
}

std::optional<std::string> HeadlessPlatform::open_file_dialog(const OpenFileRequest& request) {
  record("open file dialog", request.initial_file_name);
  return next_file_answer(open_files_);
}

std::unique_ptr<PrintJob> HeadlessPlatform::print_dialog(const PrintRequest&) {
  record("print dialog", "No printer is available.");
  return nullptr;
}

void HeadlessPlatform::printer_setup_dialog() {
  record("printer setup dialog", "");
}

void HeadlessPlatform::shell_open(std::string_view target) {
  opened_.emplace_back(target);
}

bool HeadlessPlatform::file_exists(const std::string& path) const {
  return system_.file_exists(path);
}

bool HeadlessPlatform::directory_exists(const std::string& path) const {
  return system_.directory_exists(path);
}

bool HeadlessPlatform::create_directory(const std::string& path) {
  return system_.create_directory(path);
}

bool HeadlessPlatform::directory_writable(const std::string& path) const {
  return writable_ ? *writable_ : system_.directory_writable(path);
}

bool HeadlessPlatform::file_writable(const std::string& path) const {
  return system_.file_writable(path);
}

void HeadlessPlatform::set_user_directories(std::string state, std::string config) {
  if (!state.empty()) state = with_trailing_delimiter(std::move(state));
  if (!config.empty()) config = with_trailing_delimiter(std::move(config));
  user_dirs_ = std::make_pair(std::move(state), std::move(config));
}

std::string HeadlessPlatform::user_state_directory() const {
  return user_dirs_ ? user_dirs_->first : system_.user_state_directory();
}

std::string HeadlessPlatform::user_config_directory() const {
  return user_dirs_ ? user_dirs_->second : system_.user_config_directory();
}

std::int64_t HeadlessPlatform::free_disk_space(const std::string& path) const {
  return free_space_ ? *free_space_ : system_.free_disk_space(path);
}

DateTime HeadlessPlatform::now() const {
  return fixed_clock_ ? *fixed_clock_ : system_.now();
}

double HeadlessPlatform::time_of_day() const {
  return fixed_clock_ ? fixed_clock_->day_fraction() : system_.time_of_day();
}

int HeadlessPlatform::text_width(std::string_view text) const {
  return estimated_text_width(text);
}

void HeadlessPlatform::end_program(int status) {
  record("end program", std::to_string(status));
  throw ProgramEnded{status};
}

}  // namespace tandrel::platform
