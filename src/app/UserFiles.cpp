#include "app/UserFiles.h"

#include "diagnostics/Trace.h"
#include "process/Globals.h"

namespace tandrel {

namespace {

std::string folder_of(const std::string& path, char delimiter) {
  const auto cut = path.rfind(delimiter);
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The folder made (or found) for a per-user file, with trailing delimiter;
// empty when there is none.
std::string ready_folder(const std::string& dir, UserFiles& moved) {
  if (dir.empty()) return {};
  if (os().directory_exists(dir)) return dir;
  if (!make_directories(dir)) return {};
  moved.folders_made = true;
  return dir;
}

}  // namespace

bool make_directories(const std::string& dir) {
  const char delimiter = os().path_delimiter();
  if (dir.empty()) return false;
  if (os().directory_exists(dir)) return true;
  // Each level from the top; a level that exists already is passed over.
  for (std::size_t at = dir.find(delimiter, 1); at != std::string::npos;
       at = dir.find(delimiter, at + 1)) {
    const std::string level = dir.substr(0, at);
    if (!os().directory_exists(level) && !os().create_directory(level)) return false;
  }
  return os().directory_exists(dir) || os().create_directory(dir);
}

std::string user_error_log_name(const std::string& file_part, UserFiles& moved) {
  const std::string dir = ready_folder(os().user_state_directory(), moved);
  if (dir.empty()) return {};
  moved.error_log = dir + file_part;
  return moved.error_log;
}

void place_user_settings_file(configuration_type& config, UserFiles& moved) {
  const char delimiter = os().path_delimiter();
  const std::string name = config.saved_settings_file_name;
  const std::string dir = folder_of(name, delimiter);
  config.installation_settings_file_name.clear();
  if (dir.empty()) return;
  const std::string file_part = name.substr(dir.size());
  // A copy the user saved in an earlier session is theirs: it is read and
  // written from now on, even where the installation's file could be.
  const std::string own_dir = os().user_config_directory();
  if (!own_dir.empty() && os().file_exists(own_dir + file_part)) {
    config.saved_settings_file_name = own_dir + file_part;
    config.installation_settings_file_name = name;
    trace().Message("      Settings file: your own copy " + config.saved_settings_file_name);
    return;
  }
  const bool file_blocked = os().file_exists(name) && !os().file_writable(name);
  if (!file_blocked && os().directory_writable(dir)) return;
  const std::string own = ready_folder(own_dir, moved);
  if (own.empty()) return;
  config.saved_settings_file_name = own + file_part;
  config.installation_settings_file_name = name;
  moved.settings_file = config.saved_settings_file_name;
}

void tell_user_files(const configuration_type& config, const UserFiles& moved) {
  if (moved.error_log.empty() && moved.settings_file.empty()) return;
  std::string where;
  if (!moved.error_log.empty()) where = "the error log is " + moved.error_log;
  if (!moved.settings_file.empty())
    where +=
        (where.empty() ? "" : " and ") + std::string("the settings file is ") + moved.settings_file;
  trace().Message("      Installation folder not writable: " + where);
  if (!moved.folders_made) return;
  os().message_box("Tandrel cannot write to its installation folder " + config.program_directory +
                       ", so it keeps your own files: " + where + ".",
                   platform::MessageKind::Information);
}

}  // namespace tandrel
