#pragma once

// The terminal services of the headless program: whether standard error is
// a terminal, and Ctrl-C turned into a request the message pump picks up.

namespace tandrel::platform {

bool stderr_is_terminal();

// After this, the first Ctrl-C or SIGTERM is only recorded (take_ctrl_c
// tells it once); a second one ends the process as usual.
void install_ctrl_c_handler();
bool take_ctrl_c();
// Whether a Ctrl-C was ever recorded.
bool ctrl_c_seen();
// The signal recorded last: SIGINT for Ctrl-C, or SIGTERM.
int interrupt_signal();

}  // namespace tandrel::platform
