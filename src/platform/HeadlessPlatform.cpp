#include "platform/HeadlessPlatform.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <ctime>
#include <iostream>
#include <stdexcept>

#include "platform/UserFolders.h"

namespace tandrel::platform {

double DateTime::day_fraction() const {
  return (hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0) / 86400.0;
}

std::string with_trailing_delimiter(std::string dir, char delimiter) {
  if (dir.empty() || dir.back() != delimiter) dir.push_back(delimiter);
  return dir;
}

std::string executable_directory() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  std::string path(buffer, static_cast<std::size_t>(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

HeadlessPlatform::HeadlessPlatform()
    : program_dir_(executable_directory()), system_dir_("/var/tmp/") {}

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

void HeadlessPlatform::set_program_directory(std::string dir) {
  program_dir_ = with_trailing_delimiter(std::move(dir));
}

void HeadlessPlatform::set_system_directory(std::string dir) {
  system_dir_ = with_trailing_delimiter(std::move(dir));
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

void HeadlessPlatform::answer_by_default(ModalDialog& dialog) {
  // Without a script the dialog is cancelled (an error report is ignored)
  // when it may be, and otherwise answered by its default button (a
  // critical report aborts the program).
  const std::vector<DialogButton> buttons = dialog.buttons();
  for (bool cancel : {true, false})
    for (const DialogButton& b : buttons)
      if (b.enabled && (cancel ? b.is_cancel : b.is_default) && dialog.press(b.id)) return;
  dialog.set_showing(false);
}

void HeadlessPlatform::show_modal(ModalDialog& dialog) {
  record(std::string(dialog.dialog_name()), dialog.dialog_text());
  dialog.set_showing(true);
  // A scripted answer may leave the dialog open (Help, moving list items);
  // the next answer then acts on the same showing.
  while (dialog.is_showing()) {
    if (answers_.empty()) {
      answer_by_default(dialog);
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

std::optional<std::string> HeadlessPlatform::save_file_dialog(const SaveFileRequest& request) {
  record("save file dialog", request.initial_file_name);
  if (save_files_.empty()) return std::nullopt;
  auto answer = std::move(save_files_.front());
  save_files_.pop_front();
  return answer;
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
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool HeadlessPlatform::directory_exists(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HeadlessPlatform::create_directory(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return ::mkdir(p.c_str(), 0777) == 0 || (errno == EEXIST && directory_exists(p));
}

bool HeadlessPlatform::directory_writable(const std::string& path) const {
  if (writable_) return *writable_;
  return ::access(path.c_str(), W_OK | X_OK) == 0;
}

void HeadlessPlatform::set_user_directories(std::string state, std::string config) {
  if (!state.empty()) state = with_trailing_delimiter(std::move(state));
  if (!config.empty()) config = with_trailing_delimiter(std::move(config));
  user_dirs_ = std::make_pair(std::move(state), std::move(config));
}

std::string HeadlessPlatform::user_state_directory() const {
  return user_dirs_ ? user_dirs_->first : user_folder("XDG_STATE_HOME", ".local/state");
}

std::string HeadlessPlatform::user_config_directory() const {
  return user_dirs_ ? user_dirs_->second : user_folder("XDG_CONFIG_HOME", ".config");
}

std::int64_t HeadlessPlatform::free_disk_space(const std::string& path) const {
  if (free_space_) return *free_space_;
  std::string dir = path;
  auto slash = dir.rfind('/');
  dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash + 1);
  struct statvfs vfs {};
  if (::statvfs(dir.c_str(), &vfs) != 0) return -1;
  return static_cast<std::int64_t>(vfs.f_bavail) * static_cast<std::int64_t>(vfs.f_frsize);
}

DateTime HeadlessPlatform::now() const {
  if (fixed_clock_) return *fixed_clock_;
  auto tp = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(tp);
  std::tm local{};
  ::localtime_r(&t, &local);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(tp.time_since_epoch()) % 1000;
  return DateTime{local.tm_year + 1900,
                  local.tm_mon + 1,
                  local.tm_mday,
                  local.tm_hour,
                  local.tm_min,
                  local.tm_sec,
                  static_cast<int>(ms.count())};
}

double HeadlessPlatform::time_of_day() const {
  if (fixed_clock_) return fixed_clock_->day_fraction();
  timespec ts{};
  ::clock_gettime(CLOCK_REALTIME, &ts);
  const long long minute = ts.tv_sec / 60;
  if (minute != offset_minute_) {
    std::tm local{};
    ::localtime_r(&ts.tv_sec, &local);
    utc_offset_ = local.tm_gmtoff;
    offset_minute_ = minute;
  }
  const long long seconds = (ts.tv_sec + utc_offset_) % 86400;
  return (static_cast<double>(seconds) + ts.tv_nsec / 1e9) / 86400.0;
}

int HeadlessPlatform::text_width(std::string_view text) const {
  // An average caption character of the default dialog font is 5 pixels wide.
  return static_cast<int>(text.size()) * 5;
}

void HeadlessPlatform::end_program(int status) {
  record("end program", std::to_string(status));
  throw ProgramEnded{status};
}

}  // namespace tandrel::platform
