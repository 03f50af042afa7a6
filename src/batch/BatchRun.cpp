#include "batch/BatchRun.h"

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "batch/BatchConsole.h"
#include "batch/BatchLists.h"
#include "batch/BatchMethods.h"
#include "batch/BatchOptions.h"
#include "batch/BatchSelections.h"
#include "batch/BatchSummary.h"
#include "diagnostics/DiagnosticWindows.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/ProgressForm.h"
#include "diagnostics/Trace.h"
#include "output/CommandFileFormats.h"
#include "platform/Console.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "run/CreationRun.h"

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
  // Follows every progress window the process creates from now on.
  void follow(ProcessGlobals& g) {
    created_ = g.progress_window_created.connect([this](TProgressForm& form) {
      windows_.push_back(form.changed.connect([this, &form] { update(form); }));
    });
  }
  void stop() {
    created_.disconnect();
    windows_.clear();
  }

 private:
  Connection created_;
  std::vector<Connection> windows_;
  static constexpr double kInterval = 0.1 / 86400.0;
  double last_ = -1;
  bool shown_ = false;
};

// Where the installation is looked for, and why there.
struct Installation {
  std::string dir;  // empty: this program's folder
  const char* source;
};

Installation choose_installation(const BatchOptions& options) {
  if (!options.program_dir.empty()) return {options.program_dir, "given by --program-dir"};
  const char* home = std::getenv("TANDREL_HOME");
  if (home != nullptr && *home != '\0') return {home, "given by TANDREL_HOME"};
  return {"", "this program's folder"};
}

// Start-up creates no windows in the batch; it only notes where the error
// log stood once the configuration has opened it, so the reports of this
// run can be counted at its end.
class BatchStartup : public StartupWindows {
 public:
  explicit BatchStartup(ProcessGlobals& g) : g_(g) {}
  void show_interface_file(const std::string&) override {
    log_offset = size_of(g_.configuration.error_file_name);
    log_opened = true;
  }
  std::uintmax_t log_offset = 0;
  bool log_opened = false;

 private:
  ProcessGlobals& g_;
};

// What the closing lines tell: the last one says how the run ended.
struct RunOutcome {
  int status = 0;
  std::optional<std::string> summary;
  bool quiet_allowed = true;  // --quiet may leave the summary out
};

constexpr const char* kNotCompletedLine = "tandrel-batch: output NOT completed";

// Connects the trace window, which start-up keeps, and the progress windows.
Connection connect_console(ProcessGlobals& g, BatchPlatform& platform, const BatchOptions& options,
                           ProgressLine& progress) {
  create_trace_window(g);
  Connection trace_lines;
  if (options.trace)
    trace_lines =
        g.trace_window->line_added.connect([](const std::string& l) { std::cerr << l << "\n"; });
  if (platform::stderr_is_terminal()) progress.follow(g);
  // Ctrl-C confirms an interrupt as the Stop button and its dialog do.
  platform::install_ctrl_c_handler();
  platform.set_pump_hook([&g] {
    if (platform::take_ctrl_c()) g.user_interrupt = true;
  });
  return trace_lines;
}

// Screen output goes to standard output, line by line, without piling up.
// A line that cannot be written fails the output like a full disk does.
Connection connect_screen(ProcessGlobals& g) {
  g.output_window->keep_lines = false;
  return g.output_window->line_added.connect([](const std::string& l) {
    std::cout << l << '\n' << std::flush;
    if (!std::cout) throw EInOutError("Standard output could not be written.");
  });
}

RunOutcome run_job(ProcessGlobals& g, Session& session, const BatchOptions& options) {
  if (options.list) {
    print_batch_list(std::cout, *options.list, session);
    return {};
  }
  std::ostream null_stream(nullptr);
  user_selection_type& selections = *session.selections;
  apply_batch_options(options, g, session, selections, options.quiet ? null_stream : std::cerr);
  if (options.methods) {
    print_methods(std::cout, g, session);
    return {};
  }
  const BatchOutputFiles files(selections);
  RunResult result =
      run_output_procedure(g.configuration, selections, *session.description,
                           {*session.region_list, *session.nation_array, *session.group_index});
  std::cout.flush();
  if (!result.output_written) return {kExitNotCompleted, kNotCompletedLine, false};
  const bool to_screen =
      selections.output_format.destination == output_destination_type::DestScreen;
  return {0, summary_line(result.cases_written, to_screen, files.written())};
}

// The lines that end every run that got as far as the configuration: each
// repeated report, what was written, and the reports of this run in the log.
void print_closing(const ProcessGlobals& g, BatchPlatform& platform, const BatchStartup& windows,
                   const RunOutcome& outcome, bool quiet) {
  platform.print_repeats();
  if (windows.log_opened) {
    const std::string& log = g.configuration.error_file_name;
    if (int reports = reports_after(log, windows.log_offset); reports > 0)
      std::cerr << error_log_line(reports, log) << "\n";
  }
  if (outcome.summary && !(quiet && outcome.quiet_allowed)) std::cerr << *outcome.summary << "\n";
}

RunOutcome run_installed(ProcessGlobals& g, Session& session, BatchPlatform& platform,
                         const BatchOptions& options) {
  ProgressLine progress;
  BatchStartup windows(g);
  RunOutcome outcome;
  Connection trace_lines, screen_lines;
  try {
    trace_lines = connect_console(g, platform, options, progress);
    start_up(g, session, windows);
    screen_lines = connect_screen(g);
    outcome = run_job(g, session, options);
  } catch (const UsageError& e) {
    progress.clear();
    outcome = {kExitUsage, "tandrel-batch: " + std::string(e.what()), false};
  } catch (const EUserInterrupt&) {
    progress.clear();
    outcome = {platform::ctrl_c_seen() ? 128 + platform::interrupt_signal() : kExitInterrupted,
               "tandrel-batch: interrupted; no output file was changed", false};
  } catch (const platform::ProgramEnded&) {
    // A critical report ended the program; the log is flushed line by line.
    progress.clear();
    progress.stop();
    print_closing(g, platform, windows, outcome, options.quiet);
    throw;
  }
  progress.clear();
  progress.stop();
  if (session.main_frame->initialized) {
    g.user_interrupt = false;
    finish(g, session);
  }
  print_closing(g, platform, windows, outcome, options.quiet);
  return outcome;
}

// Start-up ended the program; when it found no configuration, say how to
// name an installation.
void explain_missing_installation(const platform::Platform& platform,
                                  const Installation& installation) {
  const std::string ini = platform.program_directory() + "Tandrel.ini";
  if (platform.file_exists(ini)) return;
  std::cerr << "tandrel-batch: no Tandrel.ini in " << platform.program_directory() << " ("
            << installation.source
            << "); name the folder of an installation with --program-dir DIR or the "
               "environment variable TANDREL_HOME\n";
}

int run_parsed(const BatchOptions& options) {
  BatchPlatform platform(std::cerr);
  platform.set_quiet(options.quiet);
  const Installation installation = choose_installation(options);
  if (!installation.dir.empty()) platform.set_program_directory(installation.dir);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  // The run's choices and reference data: the batch is the session's one
  // owner, as the desktop's start-up is for a window.
  Session session;
  int status = 0;
  try {
    status = run_installed(g, session, platform, options).status;
  } catch (const platform::ProgramEnded& ended) {
    if (ended.status == platform::kExitFatalStartup)
      explain_missing_installation(platform, installation);
    status = ended.status;
    std::cerr << (status == platform::kExitFatalStartup
                      ? "tandrel-batch: the installation could not be read (see above)"
                      : "tandrel-batch: stopped by a critical error (see above)")
              << "; no output file was changed\n";
  } catch (const EUserInterrupt&) {
    // Reached only from the closing steps, after the run's own handler.
    std::cerr << "tandrel-batch: interrupted; no output file was changed\n";
    status = platform::ctrl_c_seen() ? 128 + platform::interrupt_signal() : kExitInterrupted;
  } catch (const std::exception& e) {
    std::cerr << "tandrel-batch: unhandled error: " << e.what() << "\n";
    status = kExitNotCompleted;
  }
  install_globals(nullptr);
  return status;
}

}  // namespace

int run_batch(int argc, char** argv) {
  BatchOptions options;
  try {
    options = parse_batch_options(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << "tandrel-batch: " << e.what() << "\n";
    return kExitUsage;
  }
  if (options.help) {
    std::cout << kBatchUsage;
    return 0;
  }
  if (options.version) {
    std::cout << "tandrel-batch (Tandrel) " << program_version_text() << "\n";
    return 0;
  }
  return run_parsed(options);
}

}  // namespace tandrel
