#include "platform/SystemServices.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <ctime>

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

int estimated_text_width(std::string_view text) {
  return static_cast<int>(text.size()) * 5;
}

SystemServices::SystemServices() : program_dir_(executable_directory()), system_dir_("/var/tmp/") {}

void SystemServices::set_program_directory(std::string dir) {
  program_dir_ = with_trailing_delimiter(std::move(dir));
}

void SystemServices::set_system_directory(std::string dir) {
  system_dir_ = with_trailing_delimiter(std::move(dir));
}

bool SystemServices::file_exists(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool SystemServices::directory_exists(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SystemServices::create_directory(const std::string& path) const {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return ::mkdir(p.c_str(), 0777) == 0 || (errno == EEXIST && directory_exists(p));
}

bool SystemServices::directory_writable(const std::string& path) const {
  return ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool SystemServices::file_writable(const std::string& path) const {
  return ::access(path.c_str(), W_OK) == 0;
}

std::string SystemServices::user_state_directory() const {
  return user_folder("XDG_STATE_HOME", ".local/state");
}

std::string SystemServices::user_config_directory() const {
  return user_folder("XDG_CONFIG_HOME", ".config");
}

std::int64_t SystemServices::free_disk_space(const std::string& path) const {
  std::string dir = path;
  auto slash = dir.rfind('/');
  dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash + 1);
  struct statvfs vfs {};
  if (::statvfs(dir.c_str(), &vfs) != 0) return -1;
  return static_cast<std::int64_t>(vfs.f_bavail) * static_cast<std::int64_t>(vfs.f_frsize);
}

DateTime SystemServices::now() const {
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

double SystemServices::time_of_day() const {
  // Progress steps ask this often: the local offset is looked up once a
  // minute rather than through localtime_r at every call.
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

}  // namespace tandrel::platform
