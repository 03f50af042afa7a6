#include "support/GlobalsFixture.h"

#include "diagnostics/DiagnosticWindows.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/Trace.h"
#include "reference/Selections.h"

namespace tandrel::test {

GlobalsFixture::GlobalsFixture() {
  platform.set_echo(false);
  platform.set_program_directory(dir.path());
  platform.set_system_directory(dir.path() + "/system");
  // The user's own folders lie in the test's folder, never in the real home.
  platform.set_user_directories(dir.path() + "/home/state/tandrel",
                                dir.path() + "/home/config/tandrel");
  platform.fix_clock({2005, 7, 3, 15, 7, 0, 0});
  g.platform = &platform;
  session.selections = std::make_unique<user_selection_type>();
  install_globals(&g);
  create_diagnostic_windows(g);
  g.trace->set_main_frame(session.main_frame);
  create_remaining_windows(g);
  g.configuration.program_directory = platform.program_directory();
}

// The session goes while the diagnostics are still installed, as at the end
// of a program, for destructors that still report.
GlobalsFixture::~GlobalsFixture() {
  session.release_reference();
  install_globals(nullptr);
}

void GlobalsFixture::open_error_log() {
  g.configuration.error_file_name = dir.file("error.log");
  g.error_log.create(g.configuration.error_file_name, platform.now());
}

std::vector<std::string> GlobalsFixture::trace_lines() const {
  const auto& memo = g.trace_window->Screen_Output();
  auto begin = memo.begin();
  if (begin != memo.end() && begin->empty()) ++begin;
  return {begin, memo.end()};
}

std::string GlobalsFixture::error_log_text() const {
  return read_file(g.configuration.error_file_name);
}

}  // namespace tandrel::test
