#include "batch/BatchRun.h"

#include <iostream>
#include <string>
#include <vector>

#include "batch/BatchLists.h"
#include "batch/BatchOptions.h"
#include "batch/BatchSelections.h"
#include "process/Globals.h"
#include "app/Startup.h"
#include "process/Exceptions.h"
#include "diagnostics/DiagnosticWindows.h"
#include "diagnostics/Trace.h"
#include "run/CreationRun.h"
#include "platform/Console.h"
#include "platform/HeadlessPlatform.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/ProgressForm.h"

namespace tandrel {

namespace {

constexpr int kExitNotCompleted = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

// A progress line on a terminal, at most ten updates a second.
class ProgressLine {
 public:
  void update(const TProgressForm& form) {
    double now = os().time_of_day();
    if (now >= last_ && now - last_ < kInterval) return;
    last_ = now;
    std::string text = form.ProcedureLabel.caption + "  " + form.PctLeftLabel.caption;
    if (text.size() > 78) text.resize(78);
    std::cerr << "\r" << text << std::string(78 - text.size(), ' ') << std::flush;
    shown_ = true;
  }
  void clear() {
    if (shown_) std::cerr << "\r" << std::string(78, ' ') << "\r" << std::flush;
    shown_ = false;
  }

 private:
  static constexpr double kInterval = 0.1 / 86400.0;
  double last_ = -1;
  bool shown_ = false;
};

void connect_console(ProcessGlobals& g, platform::HeadlessPlatform& platform,
                     const BatchOptions& options, ProgressLine& progress) {
  if (options.trace)
    g.trace_window->line_listener = [](const std::string& l) { std::cerr << l << "\n"; };
  if (platform::stderr_is_terminal())
    g.progress_listener = [&progress](const TProgressForm& f) { progress.update(f); };
  // Ctrl-C confirms an interrupt as the Stop button and its dialog do.
  platform::install_ctrl_c_handler();
  platform.set_pump_hook([&g] {
    if (platform::take_ctrl_c()) g.user_interrupt = true;
  });
}

// Screen output goes to standard output, line by line, without piling up.
// A line that cannot be written fails the output like a full disk does.
void connect_screen(ProcessGlobals& g) {
  g.output_window->keep_lines = false;
  g.output_window->line_listener = [](const std::string& l) {
    std::cout << l << '\n' << std::flush;
    if (!std::cout) throw EInOutError("Standard output could not be written.");
  };
}

int run_job(ProcessGlobals& g, const BatchOptions& options) {
  if (options.list) {
    print_batch_list(std::cout, *options.list, g);
    return 0;
  }
  apply_batch_options(options, g, *g.selections, std::cerr);
  RunResult result = run_output_procedure(g.configuration, *g.selections, *g.description);
  std::cout.flush();
  return result.output_written ? 0 : kExitNotCompleted;
}

int run_installed(ProcessGlobals& g, platform::HeadlessPlatform& platform,
                  const BatchOptions& options) {
  ProgressLine progress;
  StartupWindows no_windows;
  int status = 0;
  try {
    create_diagnostic_windows(g);
    connect_console(g, platform, options, progress);
    start_up(g, no_windows);
    connect_screen(g);
    status = run_job(g, options);
  } catch (const UsageError& e) {
    std::cerr << "tandrel-batch: " << e.what() << "\n";
    status = kExitUsage;
  } catch (const EUserInterrupt&) {
    progress.clear();
    std::cerr << "tandrel-batch: interrupted\n";
    status = platform::ctrl_c_seen() ? 128 + platform::interrupt_signal() : kExitInterrupted;
  }
  progress.clear();
  g.progress_listener = nullptr;
  if (g.main_frame.initialized) {
    g.user_interrupt = false;
    finish(g);
  }
  return status;
}

}  // namespace

int run_batch(int argc, char** argv) {
  BatchOptions options;
  try {
    options = parse_batch_options(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << "tandrel-batch: " << e.what() << "\n\n" << kBatchUsage;
    return kExitUsage;
  }
  if (options.help) {
    std::cout << kBatchUsage;
    return 0;
  }

  platform::HeadlessPlatform platform;
  if (!options.program_dir.empty()) platform.set_program_directory(options.program_dir);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  int status = 0;
  try {
    status = run_installed(g, platform, options);
  } catch (const platform::ProgramEnded& ended) {
    status = ended.status;
  } catch (const std::exception& e) {
    std::cerr << "tandrel-batch: unhandled error: " << e.what() << "\n";
    status = kExitNotCompleted;
  }
  install_globals(nullptr);
  return status;
}

}  // namespace tandrel
