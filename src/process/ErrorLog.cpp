#include "process/ErrorLog.h"

#include <cerrno>
#include <cstring>

#include "process/Exceptions.h"

namespace tandrel {

namespace {
constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

std::string pad2(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? " " + s : s;
}

std::FILE* open_or_throw(const std::string& path, const char* mode) {
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (f == nullptr) throw EInOutError("Cannot open " + path + ": " + std::strerror(errno));
  return f;
}
}  // namespace

std::string error_log_header(const platform::DateTime& t) {
  std::string year = std::to_string(t.year);
  while (year.size() < 4) year.insert(0, " ");
  return "Cumulative error log for Tandrel program.  Log initially created at " + pad2(t.hour) +
         ":" + std::to_string(t.minute) + " on " + pad2(t.month) + "/" + pad2(t.day) + "/" + year;
}

std::string error_time_stamp(const platform::DateTime& t) {
  int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  std::string minute = (t.minute < 10 ? "0" : "") + std::to_string(t.minute);
  const char* month = (t.month >= 1 && t.month <= 12) ? kMonths[t.month - 1] : "";
  return std::to_string(hour12) + ":" + minute + (t.hour < 12 ? " am, " : " pm, ") + month + " " +
         std::to_string(t.day) + ", " + std::to_string(t.year);
}

void ErrorLog::open_append(const std::string& path) {
  close();
  file_ = open_or_throw(path, "ab");
}

void ErrorLog::create(const std::string& path, const platform::DateTime& now) {
  close();
  file_ = open_or_throw(path, "wb");
  std::string header = error_log_header(now) + "\n\n";
  if (std::fputs(header.c_str(), file_) < 0 || std::fflush(file_) != 0) {
    close();
    throw EInOutError("Cannot write " + path);
  }
}

void ErrorLog::write_line(std::string_view line) noexcept {
  if (file_ == nullptr) return;
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fputc('\n', file_);
  // Flushed at once: a critical error ends the program without close-down.
  std::fflush(file_);
}

void ErrorLog::close() noexcept {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace tandrel
