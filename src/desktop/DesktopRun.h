#pragma once

// The desktop face of Tandrel: start-up with its window steps, the Qt event
// loop, close-down. Returns the process exit status.

namespace tandrel::desktop {

// Expects a QApplication to exist; reads --program-dir DIR from the
// arguments Qt left.
int run_desktop(int argc, char** argv);

}  // namespace tandrel::desktop
