#pragma once

// Runs a window model's event handler so that no exception leaves it: under
// a widget toolkit the caller is the event loop, which carries none. What
// the handler left behind is returned, and the front end acts on it after
// the call has returned.

#include <functional>
#include <optional>

namespace tandrel {

struct HandlerOutcome {
  // The program must end with this status (Abort in the error dialog).
  std::optional<int> end_status;
  // The user interrupted the work the handler did.
  bool interrupted = false;
};

// EUserInterrupt and platform::ProgramEnded become the outcome; any other
// error is reported through the error procedure as one that may be ignored.
HandlerOutcome run_guarded(const std::function<void()>& handler);

}  // namespace tandrel
