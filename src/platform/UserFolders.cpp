#include "platform/UserFolders.h"

#include <cstdlib>

namespace tandrel::platform {

namespace {

// The variable's value when it is an absolute path, else empty. The base
// directory rules ignore relative values.
std::string absolute_variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  std::string dir = value;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

}  // namespace

std::string user_folder(const char* variable, const char* fallback_under_home) {
  std::string base = absolute_variable(variable);
  if (base.empty()) {
    const std::string home = absolute_variable("HOME");
    if (home.empty()) return {};
    base = (home == "/" ? std::string() : home) + "/" + fallback_under_home;
  }
  if (base.back() != '/') base += '/';
  return base + "tandrel/";
}

}  // namespace tandrel::platform
