#include "platform/FileIdentity.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

namespace tandrel::platform {

bool same_file(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string through_links(const std::string& name) {
  char* resolved = ::realpath(name.c_str(), nullptr);
  if (resolved == nullptr) return name;
  std::string path(resolved);
  std::free(resolved);
  return path;
}

}  // namespace tandrel::platform
