#pragma once

// The one error procedure: every detected error is appended to the error
// log, written to the trace and, for a positive display level, shown in the
// modal error dialog.

#include <cstdint>
#include <string>

namespace tandrel {

// critical: only Abort is offered; noncritical: Ignore continues.
enum action_type : std::uint8_t { critical = 0, noncritical = 1 };

// Never raises. A critical report shown in the dialog ends the program
// through Abort (platform::ProgramEnded); the procedure itself never does.
void error(const std::string& message, int display_level, std::uint8_t action);

// While one lives on a thread, error() there writes the log and the trace
// but shows no dialog: the caller tells the user once, in its own words,
// where a chain of dialogs would each say part of it.
class LogOnlyScope {
 public:
  LogOnlyScope();
  ~LogOnlyScope();
  LogOnlyScope(const LogOnlyScope&) = delete;
  LogOnlyScope& operator=(const LogOnlyScope&) = delete;
};

inline constexpr const char* kLogSeparator = "-------------------------------------------------";

}  // namespace tandrel
