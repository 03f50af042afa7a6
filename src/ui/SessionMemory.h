#pragma once

// What the desktop remembers from one session to the next: the main
// window's size and place, the folder of the last output file, and the last
// ten settings files (most recent first). The rules live here; the store
// only keeps strings.

#include <optional>
#include <string>
#include <vector>

#include "platform/PreferenceStore.h"

namespace tandrel {

struct WindowPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlace&) const = default;
};

class SessionMemory {
 public:
  static constexpr std::size_t kRecentFiles = 10;

  explicit SessionMemory(platform::PreferenceStore& store) : store_(store) {}

  // The saved place when enough of its title bar lies on one of `screens`
  // (their available areas); a place left behind by a screen that is gone
  // is not restored.
  std::optional<WindowPlace> window_place(const std::vector<WindowPlace>& screens) const;
  void remember_window_place(const WindowPlace& place);

  std::string last_output_folder() const;
  // Keeps the folder of `output_file`; a bare name keeps nothing.
  void remember_output_file(const std::string& output_file);
  // The output file name to start with: a bare `name` goes into the last
  // output folder when that folder still exists (`folder_exists` asks).
  template <typename Exists>
  std::string starting_output_file(const std::string& name, Exists folder_exists) const {
    const std::string folder = last_output_folder();
    if (folder.empty() || has_folder(name) || !folder_exists(folder)) return name;
    return join(folder, name);
  }

  std::vector<std::string> recent_files() const;
  void add_recent_file(const std::string& path);
  void forget_recent_file(const std::string& path);

 private:
  static bool has_folder(const std::string& name);
  static std::string join(const std::string& folder, const std::string& name);
  void write_recent_files(const std::vector<std::string>& files);

  platform::PreferenceStore& store_;
};

}  // namespace tandrel
