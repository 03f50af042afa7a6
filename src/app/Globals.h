#pragma once

// The process-wide objects of Tandrel. Start-up creates them in a fixed order
// and every later part of the program reaches them through globals(). Tests
// install a fresh set per test (tests/support/GlobalsFixture.h).

#include <functional>
#include <memory>

#include "app/ConfigurationType.h"
#include "diagnostics/ErrorLog.h"
#include "platform/Platform.h"
#include "reference/Selections.h"

namespace tandrel {

class Ttrace_obj;
class TErrorDialog;
class TProgressForm;
class TVerifyStopForm;
class Toutputwindow;
class Tccode_index_obj;
class Tnation_array_obj;
class Tuser_data_set_listing_obj;
class Tregion_list_info_obj;
class Tgroup_index_obj;

// What the progress windows need to know of the main window they sit in.
struct MainFrameState {
  int Width = 535;
  int Height = 576;
  bool minimized = false;
  // Set at the end of start-up; enables the Stop button of progress windows.
  bool initialized = false;
};

struct ProcessGlobals {
  ProcessGlobals();
  ~ProcessGlobals();
  ProcessGlobals(const ProcessGlobals&) = delete;
  ProcessGlobals& operator=(const ProcessGlobals&) = delete;

  platform::Platform* platform = nullptr;
  configuration_type configuration;
  ErrorLog error_log;
  MainFrameState main_frame;

  // Windows of the diagnostics.
  std::unique_ptr<Toutputwindow> trace_window;
  std::unique_ptr<Toutputwindow> output_window;
  std::unique_ptr<TErrorDialog> error_dialog;
  std::unique_ptr<TVerifyStopForm> verify_stop_form;

  // The application trace and the interrupt flag.
  std::unique_ptr<Ttrace_obj> trace;
  bool user_interrupt = false;
  // Told of every change of a progress window, so a front end can show it.
  std::function<void(const TProgressForm&)> progress_listener;

  // Reference data of the initial file read.
  std::unique_ptr<Tccode_index_obj> ccode_index;
  std::unique_ptr<Tnation_array_obj> nation_array;
  std::unique_ptr<Tuser_data_set_listing_obj> description;
  std::unique_ptr<Tregion_list_info_obj> region_list;
  std::unique_ptr<Tgroup_index_obj> group_index;

  user_selection_type selections;
};

// The installed set. Installing nullptr uninstalls.
ProcessGlobals& globals();
bool globals_installed();
void install_globals(ProcessGlobals* set);

// Ends the program at once through the platform; never returns.
[[noreturn]] void end_program(int status);

// Shorthands for the two objects reached most often.
platform::Platform& os();
// The application trace; created in start-up step 5.
Ttrace_obj& trace();
bool has_trace();

// Start-up steps 4 to 6: the trace window, the application trace and the
// error dialog. A trace window that exists already is replaced, and its line
// listener goes over to the new one.
void create_diagnostic_windows(ProcessGlobals& g);
// Start-up step 13, the windows without a desktop: the interrupt dialog and
// the output window that receives screen output.
void create_remaining_windows(ProcessGlobals& g);

}  // namespace tandrel
