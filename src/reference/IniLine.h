#pragma once

// The "name = "value"" line format shared by Tandrel.ini and the data-set
// description: leading blanks and tabs skipped, headings and comments
// ignored, the name up to the first blank, tab or "=", the value between the
// first two double quotes after it.

#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

struct IniEntry {
  std::string name;
  std::string value;
};

// `comment_starts` lists the characters that make a line ignored. A blank
// line gives the name " " (one blank) unless `skip_blank_lines` is set.
std::optional<IniEntry> parse_ini_line(std::string_view line, std::string_view comment_starts,
                                       bool skip_blank_lines);

}  // namespace tandrel
