#include "desktop/DesktopOptions.h"

namespace tandrel::desktop {

const char* const kDesktopUsage =
    "Usage: tandrel [--program-dir DIR]\n"
    "Starts the Tandrel window on the installation in DIR (its Tandrel.ini),\n"
    "else in $TANDREL_HOME, else in this program's folder.\n"
    "  --help     show this text\n"
    "  --version  show the program's version\n";

std::optional<DesktopOptions> parse_desktop_options(int argc, const char* const* argv,
                                                    std::ostream& errors) {
  DesktopOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--program-dir" && i + 1 < argc) {
      options.program_dir = argv[++i];
    } else if (arg.rfind("--program-dir=", 0) == 0) {
      options.program_dir = arg.substr(14);
    } else {
      errors << "tandrel: unknown argument '" << arg << "'\n" << kDesktopUsage;
      return std::nullopt;
    }
  }
  return options;
}

std::optional<int> answer_without_window(int argc, const char* const* argv,
                                         const std::string& version, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--program-dir") ++i;  // its value is no option
    if (arg == "--help" || arg == "-h") {
      out << kDesktopUsage;
      return 0;
    }
    if (arg == "--version") {
      out << "tandrel (Tandrel) " << version << "\n";
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace tandrel::desktop
