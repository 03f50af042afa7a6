#include "app/Globals.h"

#include <cstdlib>

#include "diagnostics/Exceptions.h"
#include "diagnostics/Trace.h"
#include "reference/CcodeIndex.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "ui/ErrorDialog.h"
#include "ui/OutputWindow.h"
#include "ui/ProgressForm.h"
#include "ui/VerifyStopForm.h"

namespace tandrel {

namespace {
ProcessGlobals* installed = nullptr;
}

ProcessGlobals::ProcessGlobals() = default;

// Reference objects go first, in close-down order, then the trace, so that
// destructors that still report find the diagnostics in place.
ProcessGlobals::~ProcessGlobals() {
  group_index.reset();
  nation_array.reset();
  ccode_index.reset();
  region_list.reset();
  description.reset();
  trace.reset();
}

ProcessGlobals& globals() {
  if (installed == nullptr) throw std::logic_error("Tandrel globals are not installed");
  return *installed;
}

bool globals_installed() {
  return installed != nullptr;
}

void install_globals(ProcessGlobals* set) {
  installed = set;
}

platform::Platform& os() {
  ProcessGlobals& g = globals();
  if (g.platform == nullptr) throw std::logic_error("Tandrel platform is not installed");
  return *g.platform;
}

void end_program(int status) {
  os().end_program(status);
  std::abort();  // a platform's end_program never returns
}

Ttrace_obj& trace() {
  ProcessGlobals& g = globals();
  if (!g.trace) throw std::logic_error("The application trace does not exist yet");
  return *g.trace;
}

bool has_trace() {
  return installed != nullptr && installed->trace != nullptr;
}

void create_diagnostic_windows(ProcessGlobals& g) {
  // A front end may listen to the trace window before start-up creates it
  // anew; the new window keeps that listener.
  std::function<void(const std::string&)> listener;
  if (g.trace_window) listener = std::move(g.trace_window->line_listener);
  g.trace_window = std::make_unique<Toutputwindow>();
  g.trace_window->line_listener = std::move(listener);
  g.trace_window->Caption = "Trace Window";
  g.trace = std::make_unique<Ttrace_obj>(0, "Initializing original trace ");
  g.trace->Enter("Creating Forms and Initializing");
  g.trace->SetAsApplicationTrace();
  g.trace->HideProgress();
  g.error_dialog = std::make_unique<TErrorDialog>();
  os().process_messages();
}

void create_remaining_windows(ProcessGlobals& g) {
  g.verify_stop_form = std::make_unique<TVerifyStopForm>();
  g.output_window = std::make_unique<Toutputwindow>();
}

}  // namespace tandrel
