#pragma once

// The process-wide objects of Tandrel. Start-up creates them in a fixed order
// and every later part of the program reaches them through globals(). Tests
// install a fresh set per test (tests/support/GlobalsFixture.h).
//
// The set holds what every floor reports through and nothing else: the
// platform, the configuration and the error log, the error procedure's and
// the trace's windows, the application trace and the interrupt flag. They
// are process-wide by design, so each floor finds them here rather than
// through the floor that creates them. To keep the arrows pointing down,
// this floor names the objects of the upper floors only by forward
// declaration and owns them through Owned<T>; start-up (src/app) creates
// them.
//
// What a window works on – the user's selections, the data-set description,
// the reference data and the main window's frame – is not here: it belongs
// to a Session (reference/Session.h), which the entry point owns and hands
// down, so two windows in one process never see each other's choices. Code
// below the entry points takes what it needs as arguments and reaches the
// set only where it reports.

#include <atomic>
#include <memory>

#include "platform/Platform.h"
#include "process/ConfigurationType.h"
#include "process/ErrorLog.h"
#include "process/Owned.h"
#include "process/Signal.h"

namespace tandrel {

class Ttrace_obj;
class TErrorDialog;
class TProgressForm;
class TVerifyStopForm;
class Toutputwindow;

struct ProcessGlobals {
  ProcessGlobals();
  ~ProcessGlobals();
  ProcessGlobals(const ProcessGlobals&) = delete;
  ProcessGlobals& operator=(const ProcessGlobals&) = delete;

  platform::Platform* platform = nullptr;
  configuration_type configuration;
  ErrorLog error_log;

  // Windows of the diagnostics.
  Owned<Toutputwindow> trace_window;
  Owned<Toutputwindow> output_window;
  Owned<TErrorDialog> error_dialog;
  Owned<TVerifyStopForm> verify_stop_form;

  // The application trace and the interrupt flag.
  Owned<Ttrace_obj> trace;
  // Set by the interrupt dialog or a front end's Ctrl-C on the owning
  // thread; atomic so that a signal handler's or a helper's read is defined.
  std::atomic<bool> user_interrupt{false};
  // Every new progress window, so a front end can mirror it through the
  // window's own signals until it is destroyed.
  Signal<TProgressForm&> progress_window_created;
};

// The installed set. Installing nullptr uninstalls.
//
// Threads: the set, and everything reached through it (platform, dialogs,
// windows and their signals, trace, error log), belongs to the thread that
// installed it, the main thread; so do the sessions, whose reference data a
// run hands to its helpers read-only. A helper thread takes what
// it needs as arguments, reports only inside a QuietScope (which holds the
// report back before anything here is touched), and may read
// `user_interrupt`, which is atomic. In debug and sanitizer builds
// (TANDREL_THREAD_CHECKS) globals(), os() and trace() stop the program when
// another thread calls them.
ProcessGlobals& globals();
bool globals_installed();
void install_globals(ProcessGlobals* set);
// Whether this build checks the owning thread.
bool thread_checks_enabled();

// Ends the program at once through the platform; never returns.
[[noreturn]] void end_program(int status);

// Shorthands for the two objects reached most often.
platform::Platform& os();
// The application trace; created in start-up step 5.
Ttrace_obj& trace();
bool has_trace();

}  // namespace tandrel
