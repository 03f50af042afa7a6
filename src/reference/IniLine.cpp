#include "reference/IniLine.h"

namespace tandrel {

std::optional<IniEntry> parse_ini_line(std::string_view line, std::string_view comment_starts,
                                       bool skip_blank_lines) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i == line.size()) {
    if (skip_blank_lines) return std::nullopt;
    return IniEntry{" ", ""};
  }
  if (comment_starts.find(line[i]) != std::string_view::npos) return std::nullopt;

  std::size_t name_end = line.find_first_of(" \t=", i);
  if (name_end == std::string_view::npos) name_end = line.size();
  IniEntry entry{std::string(line.substr(i, name_end - i)), ""};

  std::size_t open = line.find('"', name_end);
  if (open == std::string_view::npos) return entry;
  std::size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) close = line.size();
  entry.value = std::string(line.substr(open + 1, close - open - 1));
  return entry;
}

}  // namespace tandrel
