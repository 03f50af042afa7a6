#include "platform/Console.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace tandrel::platform {

namespace {
volatile std::sig_atomic_t pending = 0;
volatile std::sig_atomic_t seen = 0;
volatile std::sig_atomic_t taken_signal = SIGINT;

// SIGTERM (a closed session, a service stop) is taken as Ctrl-C is, so
// that the run unwinds and removes its temporary files.
extern "C" void on_sigint(int signal_number) {
  pending = 1;
  seen = 1;
  taken_signal = signal_number;
  std::signal(signal_number, SIG_DFL);
}
}  // namespace

bool stderr_is_terminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

void install_ctrl_c_handler() {
  struct sigaction action {};
  action.sa_handler = on_sigint;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

bool take_ctrl_c() {
  if (!pending) return false;
  pending = 0;
  return true;
}

bool ctrl_c_seen() {
  return seen != 0;
}

int interrupt_signal() {
  return taken_signal;
}

}  // namespace tandrel::platform
