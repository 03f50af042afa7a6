#include "app/Configuration.h"

#include <array>
#include <utility>

#include "app/UserFiles.h"
#include "diagnostics/Trace.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/Convert.h"
#include "reference/IniLine.h"

namespace tandrel {

namespace {

constexpr const char* kReinstall =
    "Configuration File or Program must be re-installed to this location.  ";
constexpr const char* kWillExit = "Tandrel will now exit.";

[[noreturn]] void fatal(const std::string& first) {
  platform::Platform& p = os();
  p.message_box(first, platform::MessageKind::Error);
  p.message_box(kReinstall, platform::MessageKind::Error);
  p.message_box(kWillExit, platform::MessageKind::Error);
  end_program(platform::kExitFatalStartup);
}

year_type to_year(const std::string& value) {
  return year_type(str_to_int(value));
}

// The file names that live relative to the program directory.
std::array<std::string*, 7> relative_names(configuration_type& c) {
  return {&c.kiv_interface_file_name,      &c.kiv_linked_doc_file_name, &c.tandrel_doc_file_name,
          &c.tandrel_quickstart_file_name, &c.saved_settings_file_name, &c.nation_list_file_name,
          &c.major_list_file_name};
}

bool is_absolute(const std::string& path, char delimiter) {
  return !path.empty() && path.front() == delimiter;
}

void read_configuration_file(configuration_type& config) {
  try {
    TextReader file = TextReader::open_file(config.configuration_file_name);
    while (!file.eof()) read_configuration_line(file, config);
    file.close();
  } catch (const EInOutError&) {
    fatal("Fatal Error - Error reading configuration file " + config.configuration_file_name +
          ".  ");
  }
}

// Opens the log at `path`: appends to an existing file, else creates it with
// its header. Raises EInOutError.
void open_log(ErrorLog& log, const std::string& path) {
  if (os().file_exists(path))
    log.open_append(path);
  else
    log.create(path, os().now());
}

// Places the log: a bare file name lands in the program directory; a
// directory part is used as written and created (one level) when missing.
std::string locate_error_log(configuration_type& config, std::string& file_part) {
  const char delim = os().path_delimiter();
  const std::string& name = config.error_file_name;
  auto cut = name.rfind(delim);
  std::string dir = cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
  file_part = cut == std::string::npos ? name : name.substr(cut + 1);
  if (dir.empty()) return config.program_directory + file_part;
  if (!os().directory_exists(dir) && !os().create_directory(dir)) {
    os().message_box("Error log path specified as " + dir +
                         " in tandrel.ini, but this path does not exist and could not be "
                         "created.  Please specify a new directory path in tandrel.ini and rerun.",
                     platform::MessageKind::Error);
    end_program(platform::kExitFatalStartup);
  }
  return name;
}

// The one place the log falls back to: the user's own state folder, so that
// on a shared installation each user's reports land in a log of their own;
// the system's temporary folder only for a user without one.
std::string fallback_log_name(const std::string& file_part, UserFiles& moved) {
  std::string own = user_error_log_name(file_part, moved);
  if (!own.empty()) return own;
  const std::string temp = os().system_directory() + "temp";
  if (!os().directory_exists(temp)) os().create_directory(temp);
  return temp + os().path_delimiter() + file_part;
}

void open_error_log(configuration_type& config, ErrorLog& log, UserFiles& moved) {
  std::string file_part;
  config.error_file_name = locate_error_log(config, file_part);
  try {
    open_log(log, config.error_file_name);
    return;
  } catch (const EInOutError&) {
  }
  // Fall back once: to the user's own folder, else the temporary one.
  const std::string first_tried = config.error_file_name;
  config.error_file_name = fallback_log_name(file_part, moved);
  try {
    open_log(log, config.error_file_name);
  } catch (const EInOutError&) {
    moved.error_log.clear();
    os().message_box(
        "Fatal Error - Cannot write to directory where Tandrel is installed, and cannot open "
        "error log file " +
            config.error_file_name +
            ".  Is the file open in another program, or read-only, or is the directory "
            "inaccessible?  ",
        platform::MessageKind::Error);
    os().message_box(
        "Tandrel must be able to write to a log file to execute.  Please identify a writeable "
        "log file name and enter it in the \"error_file_name\" field within Tandrel.ini.  Then "
        "rerun Tandrel.",
        platform::MessageKind::Error);
    // A run without its log would lose every report it makes.
    os().message_box("No error log could be written at " + first_tried + " nor at " +
                         config.error_file_name + "; Tandrel does not start without one.",
                     platform::MessageKind::Error);
    end_program(platform::kExitFatalStartup);
  }
}

}  // namespace

void handle_configuration_entry(const std::string& name, const std::string& value,
                                configuration_type& config) {
  static const std::pair<const char*, std::string configuration_type::*> kFileKeys[] = {
      {"error_file_name", &configuration_type::error_file_name},
      {"kiv_interface_file_name", &configuration_type::kiv_interface_file_name},
      {"kiv_linked_doc_file_name", &configuration_type::kiv_linked_doc_file_name},
      {"tandrel_doc_file_name", &configuration_type::tandrel_doc_file_name},
      {"tandrel_quickstart_file_name", &configuration_type::tandrel_quickstart_file_name},
      {"Saved_Settings", &configuration_type::saved_settings_file_name},
      {"nation_list_file_name", &configuration_type::nation_list_file_name},
      {"major_list_file_name", &configuration_type::major_list_file_name},
  };
  for (const auto& [key, field] : kFileKeys) {
    if (name == key) {
      config.*field = value;
      return;
    }
  }
  if (name == "tandrel_web_address") {
    config.web_address = value;
  } else if (name == "first_nation_year") {
    config.first_nation_year = to_year(value);
  } else if (name == "last_nation_year") {
    config.last_nation_year = to_year(value);
  } else if (name == "citation") {
    config.citation = value;
  } else if (name == "data_set_version") {
    config.data_set_version = value;
  } else {
    os().message_box(
        "Error - unrecognized environment variable name seen, unrecognized name was " + name +
        ".  Has Tandrel.ini file been modified?  If not, the versions of Tandrel.exe and "
        "Tandrel.ini may be out of sync.  You may wish to uninstall and reinstall Tandrel from "
        "scratch to be sure all files are up to date.");
  }
}

void read_configuration_line(TextReader& file, configuration_type& config) {
  std::string line;
  file.read_line(line);
  if (auto entry = parse_ini_line(line, "[;", false))
    handle_configuration_entry(entry->name, entry->value, config);
}

void initialize_configuration(configuration_type& config, ErrorLog& log,
                              const std::string& ini_file_name) {
  trace().Enter("Entered Initialize Configuration");
  config = configuration_type{};
  config.program_directory = os().program_directory();
  config.configuration_file_name = config.program_directory + ini_file_name;
  if (!os().file_exists(config.configuration_file_name))
    fatal("Fatal Error - Configuration file not found at location " +
          config.configuration_file_name + ".  ");
  trace().Message("      Reading configuration file...");
  read_configuration_file(config);
  UserFiles moved;
  open_error_log(config, log, moved);
  const char delim = os().path_delimiter();
  for (std::string* name : relative_names(config))
    if (!is_absolute(*name, delim)) *name = config.program_directory + *name;
  place_user_settings_file(config, moved);
  tell_user_files(config, moved);
  trace().Exit("Finished Initialize Configuration Procedure");
}

}  // namespace tandrel
