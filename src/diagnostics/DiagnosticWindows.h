#pragma once

// The windows of the diagnostics, created by start-up in its fixed order.

#include "process/Globals.h"

namespace tandrel {

// Start-up steps 4 to 6: the trace window, the application trace and the
// error dialog. A trace window that exists already is replaced, and its line
// listener goes over to the new one.
void create_diagnostic_windows(ProcessGlobals& g);
// Start-up step 13, the windows without a desktop: the interrupt dialog and
// the output window that receives screen output.
void create_remaining_windows(ProcessGlobals& g);

}  // namespace tandrel
