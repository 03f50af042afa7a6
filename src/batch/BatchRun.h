#pragma once

// The headless face of Tandrel: start-up, the selections from the command
// line, and the creation run. Returns the process exit status.

namespace tandrel {

int run_batch(int argc, char** argv);

}  // namespace tandrel
