#include "ui/SessionMemory.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace tandrel {

namespace {

constexpr const char* kPlaceKey = "window/place";
constexpr const char* kFolderKey = "output/folder";
constexpr const char* kRecentKey = "settings/recent";

// The part of a window's top edge that must lie on a screen for the user to
// reach and drag it.
constexpr int kTitleHeight = 24;
constexpr int kMinVisibleWidth = 64;

std::optional<WindowPlace> parse_place(const std::string& text) {
  int values[4] = {};
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (int i = 0; i < 4; ++i) {
    const auto [next, error] = std::from_chars(at, end, values[i]);
    if (error != std::errc{}) return std::nullopt;
    at = next;
    if (i < 3) {
      if (at == end || *at != ',') return std::nullopt;
      ++at;
    }
  }
  if (at != end || values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return WindowPlace{values[0], values[1], values[2], values[3]};
}

bool title_on_screen(const WindowPlace& place, const WindowPlace& screen) {
  const long left = std::max<long>(place.x, screen.x);
  const long right = std::min<long>(long{place.x} + place.width, long{screen.x} + screen.width);
  const bool top_inside =
      place.y >= screen.y && long{place.y} + kTitleHeight <= long{screen.y} + screen.height;
  return top_inside && right - left >= std::min(kMinVisibleWidth, place.width);
}

}  // namespace

std::optional<WindowPlace> SessionMemory::window_place(
    const std::vector<WindowPlace>& screens) const {
  const std::optional<std::string> text = store_.read(kPlaceKey);
  if (!text) return std::nullopt;
  const std::optional<WindowPlace> place = parse_place(*text);
  if (!place) return std::nullopt;
  for (const WindowPlace& screen : screens)
    if (title_on_screen(*place, screen)) return place;
  return std::nullopt;
}

void SessionMemory::remember_window_place(const WindowPlace& place) {
  if (place.width <= 0 || place.height <= 0) return;
  store_.write(kPlaceKey, std::to_string(place.x) + ',' + std::to_string(place.y) + ',' +
                              std::to_string(place.width) + ',' + std::to_string(place.height));
}

std::string SessionMemory::last_output_folder() const {
  return store_.read(kFolderKey).value_or(std::string{});
}

void SessionMemory::remember_output_file(const std::string& output_file) {
  const std::size_t slash = output_file.find_last_of('/');
  if (slash == std::string::npos) return;
  store_.write(kFolderKey, slash == 0 ? std::string("/") : output_file.substr(0, slash));
}

bool SessionMemory::has_folder(const std::string& name) {
  return name.find('/') != std::string::npos;
}

std::string SessionMemory::join(const std::string& folder, const std::string& name) {
  return folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::vector<std::string> SessionMemory::recent_files() const {
  std::vector<std::string> files;
  std::istringstream lines(store_.read(kRecentKey).value_or(std::string{}));
  for (std::string line; std::getline(lines, line) && files.size() < kRecentFiles;)
    if (!line.empty() && std::find(files.begin(), files.end(), line) == files.end())
      files.push_back(line);
  return files;
}

void SessionMemory::add_recent_file(const std::string& path) {
  // The list is kept one path a line: a name with a line break cannot be
  // kept without splitting into two wrong entries.
  if (path.empty() || path.find('\n') != std::string::npos) return;
  std::vector<std::string> files = recent_files();
  std::erase(files, path);
  files.insert(files.begin(), path);
  if (files.size() > kRecentFiles) files.resize(kRecentFiles);
  write_recent_files(files);
}

void SessionMemory::forget_recent_file(const std::string& path) {
  std::vector<std::string> files = recent_files();
  std::erase(files, path);
  write_recent_files(files);
}

void SessionMemory::write_recent_files(const std::vector<std::string>& files) {
  std::string text;
  for (const std::string& file : files) text += file + '\n';
  store_.write(kRecentKey, text);
}

}  // namespace tandrel
