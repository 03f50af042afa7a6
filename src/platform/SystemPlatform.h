#pragma once

// A platform whose files, folders, free space and clock are the system's:
// the part the desktop and the batch share. Each front end adds its own
// messages, dialogs, pump and shell; the test platform keeps services of its
// own that tests can override.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/Platform.h"
#include "platform/SystemServices.h"

namespace tandrel::platform {

class SystemPlatform : public Platform {
 public:
  void set_program_directory(std::string dir) { system_.set_program_directory(std::move(dir)); }

  std::string program_directory() const override { return system_.program_directory(); }
  std::string system_directory() const override { return system_.system_directory(); }
  bool file_exists(const std::string& path) const override { return system_.file_exists(path); }
  bool directory_exists(const std::string& path) const override {
    return system_.directory_exists(path);
  }
  bool create_directory(const std::string& path) override { return system_.create_directory(path); }
  bool directory_writable(const std::string& path) const override {
    return system_.directory_writable(path);
  }
  bool file_writable(const std::string& path) const override { return system_.file_writable(path); }
  std::string user_state_directory() const override { return system_.user_state_directory(); }
  std::string user_config_directory() const override { return system_.user_config_directory(); }
  std::int64_t free_disk_space(const std::string& path) const override {
    return system_.free_disk_space(path);
  }
  char path_delimiter() const override { return SystemServices::path_delimiter(); }
  DateTime now() const override { return system_.now(); }
  double time_of_day() const override { return system_.time_of_day(); }

 protected:
  SystemServices system_;
};

}  // namespace tandrel::platform
