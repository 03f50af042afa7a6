#pragma once

// The services every platform takes from the operating system alike: the
// program's and the system's folders, files and folders, the user's own
// folders, free space and the clock. The desktop's, the batch's and the
// scripted test platform each hold one and answer these calls from it.

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace tandrel::platform {

class SystemServices {
 public:
  SystemServices();

  // The folder of the installation (default: the executable's own) and the
  // folder for shared scratch files, each kept with a trailing delimiter.
  void set_program_directory(std::string dir);
  void set_system_directory(std::string dir);
  const std::string& program_directory() const { return program_dir_; }
  const std::string& system_directory() const { return system_dir_; }

  bool file_exists(const std::string& path) const;
  bool directory_exists(const std::string& path) const;
  // Creates one directory level; true also when it exists already.
  bool create_directory(const std::string& path) const;
  bool directory_writable(const std::string& path) const;
  bool file_writable(const std::string& path) const;
  std::string user_state_directory() const;
  std::string user_config_directory() const;
  // Free bytes on the drive of the folder holding `path`; -1 when unknown.
  std::int64_t free_disk_space(const std::string& path) const;
  static constexpr char path_delimiter() { return '/'; }

  DateTime now() const;
  double time_of_day() const;

 private:
  std::string program_dir_;
  std::string system_dir_;
  // The local time's offset from UTC in seconds, looked up again each minute.
  mutable long utc_offset_ = 0;
  mutable long long offset_minute_ = -1;
};

// Appends the platform's delimiter to a directory name unless it ends in one.
std::string with_trailing_delimiter(std::string dir, char delimiter = '/');

// The directory holding the running executable, with a trailing delimiter.
std::string executable_directory();

// A caption's width where no font can measure it: an average character of
// the default dialog font is 5 pixels wide.
int estimated_text_width(std::string_view text);

}  // namespace tandrel::platform
