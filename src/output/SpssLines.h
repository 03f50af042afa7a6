#pragma once

// Lines of an SPSS command file that every syntax rule reads the same way.
// Under batch rules (and through INCLUDE) a line that starts in its first
// column begins a new command and no line may pass 80 characters, so a long
// line is broken into a first piece and continuation pieces that start with
// a blank.

#include <cstddef>
#include <string>
#include <vector>

namespace tandrel {

inline constexpr std::size_t kSpssLineLength = 80;

// `line` in pieces of at most kSpssLineLength characters, joined again by
// replacing each break with one blank. A comment (a line starting with "*")
// is broken at any blank; a command only at blanks outside quoted texts, and
// a quoted text too long for a line is split into texts joined by "+". No
// piece but the last ends in a full stop, which would end the command (or
// the comment) early, and no piece but the first starts (after its blank)
// with "*", "/*", ".", "+" or "-", which would begin a comment or end the
// command. A line that fits is returned as it is.
std::vector<std::string> spss_line_pieces(const std::string& line);

// Every line of `lines` in its pieces.
std::vector<std::string> fitted_spss_lines(const std::vector<std::string>& lines);

}  // namespace tandrel
