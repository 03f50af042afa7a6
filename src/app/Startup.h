#pragma once

// The start-up and close-down of Tandrel in their binding order. The steps
// that create windows are hooks, so the headless program and the desktop
// program run one and the same sequence.

#include <string>

#include "process/Globals.h"
#include "reference/Session.h"

namespace tandrel {

// What a front end does between the start-up steps. The headless front end
// does nothing in them.
class StartupWindows {
 public:
  virtual ~StartupWindows() = default;
  virtual void create_main_window() {}
  virtual void show_splash_screen() {}
  virtual void show_interface_file(const std::string& /*label*/) {}
  virtual void create_subset_dialogs() {}
  virtual void build_variable_pages() {}
  virtual void create_remaining_windows() {}
  virtual void close_splash_screen() {}
};

// Runs start-up until the program is ready for its main work: diagnostics,
// configuration and error log, the initial file read, the default
// selections, and the window hooks. A failure ends the program through the
// platform (platform::ProgramEnded); a conversion or range error of the
// configuration leaves as an exception for the top-level handler. The
// reference data and the selections go into `session`, which the caller owns.
void start_up(ProcessGlobals& g, Session& session, StartupWindows& windows);

// Reads the reference data into `session` in order; a failing step is
// reported as a critical error and ends the program.
void initial_file_read(ProcessGlobals& g, Session& session);

// Frees the session's reference objects and closes the error log.
void close_down(ProcessGlobals& g, Session& session);

// Finishes the program after its main work: the closing trace line and the
// close-down.
void finish(ProcessGlobals& g, Session& session);

}  // namespace tandrel
