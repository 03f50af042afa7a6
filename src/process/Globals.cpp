#include "process/Globals.h"

#include <cstdlib>
#include <stdexcept>

namespace tandrel {

namespace {
ProcessGlobals* installed = nullptr;
}

ProcessGlobals::ProcessGlobals() = default;

// Reference objects go first, in close-down order, then the trace, so that
// destructors that still report find the diagnostics in place.
ProcessGlobals::~ProcessGlobals() {
  group_index.reset();
  nation_array.reset();
  ccode_index.reset();
  region_list.reset();
  description.reset();
  trace.reset();
}

ProcessGlobals& globals() {
  if (installed == nullptr) throw std::logic_error("Tandrel globals are not installed");
  return *installed;
}

bool globals_installed() {
  return installed != nullptr;
}

void install_globals(ProcessGlobals* set) {
  installed = set;
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
