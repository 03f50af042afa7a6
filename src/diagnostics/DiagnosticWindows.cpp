#include "diagnostics/DiagnosticWindows.h"

#include <functional>
#include <memory>
#include <string>

#include "diagnostics/ErrorDialog.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/Trace.h"
#include "diagnostics/VerifyStopForm.h"

namespace tandrel {

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
