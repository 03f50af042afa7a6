#include "platform/FileFilter.h"

#include <cctype>

namespace tandrel::platform {

std::string filter_extension(std::string_view pattern) {
  if (!pattern.starts_with("*.")) return {};
  const std::string_view extension = pattern.substr(2);
  if (extension.empty()) return {};
  std::string lower;
  for (const char c : extension) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return {};
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return lower;
}

}  // namespace tandrel::platform
