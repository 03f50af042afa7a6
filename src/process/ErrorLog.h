#pragma once

// The cumulative error log: one text file for all runs, only ever appended to.

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tandrel {

class ErrorLog {
 public:
  ErrorLog() = default;
  ErrorLog(const ErrorLog&) = delete;
  ErrorLog& operator=(const ErrorLog&) = delete;
  ~ErrorLog() { close(); }

  // Opens an existing log for appending. Raises EInOutError.
  void open_append(const std::string& path);
  // Creates a new log and writes its header. Raises EInOutError.
  void create(const std::string& path, const platform::DateTime& now);
  bool is_open() const { return file_ != nullptr; }
  // Appends one line; a failing write is ignored, because reporting an error
  // must never raise one.
  void write_line(std::string_view line) noexcept;
  void close() noexcept;

 private:
  std::FILE* file_ = nullptr;
};

// "Cumulative error log for Tandrel program.  Log initially created at  9:5 on  7/ 3/2005"
std::string error_log_header(const platform::DateTime& t);
// "3:07 pm, July 3, 2005"
std::string error_time_stamp(const platform::DateTime& t);

}  // namespace tandrel
