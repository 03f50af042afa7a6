#include "platform/Console.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace tandrel::platform {

namespace {
volatile std::sig_atomic_t pending = 0;
volatile std::sig_atomic_t seen = 0;

extern "C" void on_sigint(int) {
  pending = 1;
  seen = 1;
  std::signal(SIGINT, SIG_DFL);
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
}

bool take_ctrl_c() {
  if (!pending) return false;
  pending = 0;
  return true;
}

bool ctrl_c_seen() {
  return seen != 0;
}

}  // namespace tandrel::platform
