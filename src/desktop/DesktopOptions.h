#pragma once

// The desktop program's command line. It is read before any window system
// is touched, so --help and --version answer on a machine without a display.

#include <optional>
#include <ostream>
#include <string>

namespace tandrel::desktop {

struct DesktopOptions {
  std::string program_dir;
  bool help = false;
  bool version = false;
};

extern const char* const kDesktopUsage;

// Reads the arguments; an unknown one is reported on `errors` with the
// usage text, and gives nullopt.
std::optional<DesktopOptions> parse_desktop_options(int argc, const char* const* argv,
                                                    std::ostream& errors);

// Answers --help and --version on `out` and gives the exit status; nullopt
// when the program is to start its window. Arguments it does not know are
// left for the window system's options and the later parse.
std::optional<int> answer_without_window(int argc, const char* const* argv,
                                         const std::string& version, std::ostream& out);

}  // namespace tandrel::desktop
