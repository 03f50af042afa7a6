#include "diagnostics/Error.h"

#include "diagnostics/ErrorDialog.h"
#include "diagnostics/QuietScope.h"
#include "diagnostics/Trace.h"
#include "process/ErrorLog.h"
#include "process/Globals.h"

namespace tandrel {

namespace {

// The dialog text and its trace line for one action type.
struct ActionTexts {
  const char* dialog_suffix;
  const char* trace_line;
};

ActionTexts texts_for(std::uint8_t action) {
  switch (action) {
    case critical:
      return {"  Critical Error - halting processor and program run.",
              "Critical Error - halting processor and program run."};
    case noncritical:
      return {"  Non-critical Error - program can continue.",
              "Non-critical Error - continuing program."};
    default:
      return {"", "Error in \"error\" procedure - invalid action type passed."};
  }
}

thread_local int log_only_depth = 0;

}  // namespace

LogOnlyScope::LogOnlyScope() {
  ++log_only_depth;
}

LogOnlyScope::~LogOnlyScope() {
  --log_only_depth;
}

void error(const std::string& message, int display_level, std::uint8_t action) {
  if (QuietScope::hold_back()) return;
  ProcessGlobals& g = globals();
  if (g.platform == nullptr || !g.platform->file_exists(g.configuration.error_file_name)) return;

  const std::string stamp = error_time_stamp(g.platform->now());
  g.error_log.write_line("Error at " + stamp + "  ");
  g.error_log.write_line(message);
  g.error_log.write_line(kLogSeparator);

  ActionTexts texts = texts_for(action);
  if (g.trace) {
    g.trace->write_message_line("Error at " + stamp);
    g.trace->write_message_line(message);
    g.trace->write_message_line(texts.trace_line);
  }
  if (!g.error_dialog || log_only_depth > 0) return;
  if (action == critical) g.error_dialog->IgnoreButton.enabled = false;
  if (action == noncritical) g.error_dialog->IgnoreButton.enabled = true;
  if (display_level > 0)
    g.error_dialog->HaveError("Error at " + stamp + ":  " + message + "." + texts.dialog_suffix);
}

}  // namespace tandrel
