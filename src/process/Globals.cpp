#include "process/Globals.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace tandrel {

namespace {

ProcessGlobals* installed = nullptr;
// Written only by install_globals, before any helper thread of the set starts.
std::thread::id owner;

// A helper thread that reaches the process-wide objects races the main
// thread's dialogs, trace and error log: stop at once where it happens.
void check_owning_thread([[maybe_unused]] const char* what) {
#ifdef TANDREL_THREAD_CHECKS
  if (installed == nullptr || std::this_thread::get_id() == owner) return;
  std::fprintf(stderr,
               "Tandrel: %s reached from a thread that does not own the process-wide objects "
               "(a helper must report inside a QuietScope)\n",
               what);
  std::abort();
#endif
}

}  // namespace

ProcessGlobals::ProcessGlobals() = default;

// The trace goes first, so that destructors of the windows that still
// report find the rest of the diagnostics in place.
ProcessGlobals::~ProcessGlobals() {
  trace.reset();
}

ProcessGlobals& globals() {
  check_owning_thread("globals()");
  if (installed == nullptr) throw std::logic_error("Tandrel globals are not installed");
  return *installed;
}

bool globals_installed() {
  return installed != nullptr;
}

void install_globals(ProcessGlobals* set) {
  installed = set;
  owner = std::this_thread::get_id();
}

bool thread_checks_enabled() {
#ifdef TANDREL_THREAD_CHECKS
  return true;
#else
  return false;
#endif
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
  return installed != nullptr && static_cast<bool>(installed->trace);
}

}  // namespace tandrel
