#include "app/BatchRun.h"

#include <iostream>
#include <string>
#include <vector>

#include "app/Configuration.h"
#include "app/Globals.h"
#include "diagnostics/Exceptions.h"
#include "diagnostics/Trace.h"
#include "platform/HeadlessPlatform.h"
#include "ui/OutputWindow.h"

namespace tandrel {

namespace {

constexpr const char* kUsage =
    "Usage: tandrel-batch [--program-dir DIR] [--trace] [--help]\n"
    "  --program-dir DIR  the program directory holding Tandrel.ini\n"
    "                     (default: the directory of this executable)\n"
    "  --trace            write the trace lines to standard error\n";

struct Options {
  std::string program_dir;
  bool trace = false;
  bool help = false;
};

Options parse(const std::vector<std::string>& args) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--program-dir" && i + 1 < args.size()) {
      o.program_dir = args[++i];
    } else if (a == "--trace") {
      o.trace = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else {
      throw std::invalid_argument("unknown option " + a);
    }
  }
  return o;
}

}  // namespace

int run_batch(int argc, char** argv) {
  Options options;
  try {
    options = parse(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::cerr << "tandrel-batch: " << e.what() << "\n" << kUsage;
    return 2;
  }
  if (options.help) {
    std::cout << kUsage;
    return 0;
  }

  platform::HeadlessPlatform platform;
  if (!options.program_dir.empty()) platform.set_program_directory(options.program_dir);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  int status = 0;
  try {
    create_diagnostic_windows(g);
    if (options.trace)
      g.trace_window->line_listener = [](const std::string& l) { std::cerr << l << "\n"; };
    initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
    create_remaining_windows(g);
    g.trace->Exit("Finished Initialization");
  } catch (const platform::ProgramEnded& ended) {
    status = ended.status;
  } catch (const std::exception& e) {
    std::cerr << "tandrel-batch: unhandled error: " << e.what() << "\n";
    status = 1;
  }
  install_globals(nullptr);
  return status;
}

}  // namespace tandrel
