#pragma once

// The user's own files of a shared installation. Where the installation
// folder cannot be written, each user keeps the error log in their state
// folder and the settings file in their configuration folder, and is told
// where once, when those folders are first made. A writable installation
// keeps both files where Tandrel.ini names them.

#include <string>

#include "process/ConfigurationType.h"

namespace tandrel {

// What start-up moved to the user's own folders, for the one notice.
struct UserFiles {
  std::string error_log;      // the log's path when it moved, else empty
  std::string settings_file;  // the settings file's path when it moved, else empty
  bool folders_made = false;  // a per-user folder was made in this start
};

// Creates `dir` and every missing folder above it, one level at a time.
// True when it exists afterwards.
bool make_directories(const std::string& dir);

// The error log's name in the user's state folder, which is made when
// missing; empty when the platform knows no such folder or it cannot be
// made. `file_part` is the log's file name without its folder.
std::string user_error_log_name(const std::string& file_part, UserFiles& moved);

// Moves the settings file to the user's configuration folder when the
// folder that holds it cannot be written and the user has such a folder.
void place_user_settings_file(configuration_type& config, UserFiles& moved);

// Tells where the moved files are: a trace line on every start, and a
// message box when a per-user folder was made in this start.
void tell_user_files(const configuration_type& config, const UserFiles& moved);

}  // namespace tandrel
