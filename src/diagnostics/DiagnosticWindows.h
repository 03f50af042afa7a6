#pragma once

// The windows of the diagnostics, created by start-up in its fixed order.

#include "process/Globals.h"

namespace tandrel {

// The trace window, unless it exists: a front end creates it before
// start-up to connect to it, and start-up keeps it with its connections.
void create_trace_window(ProcessGlobals& g);
// Start-up steps 4 to 6: the trace window, the application trace and the
// error dialog. Windows that exist already are kept, so nothing connected to
// them is dropped; the application trace is new.
void create_diagnostic_windows(ProcessGlobals& g);
// Start-up step 13, the windows without a desktop: the interrupt dialog and
// the output window that receives screen output.
void create_remaining_windows(ProcessGlobals& g);

}  // namespace tandrel
