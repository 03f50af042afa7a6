#pragma once

// How a printed line fits the page: tabs become blanks, a line longer than
// the page is broken into pieces that each fit, the continuation pieces
// marked so a reader sees they belong to the line above, and every page
// carries a header naming the data set and its page number. Counts are in
// characters (code points) of a fixed-pitch font; the printer only measures
// how many fit and draws them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::platform {

// Starts every piece of a long line after the first; no character is lost.
inline constexpr std::u32string_view kContinuationMark = U"> ";
inline constexpr std::size_t kTabWidth = 8;

// `line` with each tab replaced by blanks up to the next tab stop.
std::u32string expand_tabs(std::u32string_view line);

// The printed pieces of `line` on a page `width` characters wide: the
// first as it starts, each further one led by kContinuationMark. Every
// piece is at most `width` characters (width is raised to leave room for
// one character after the mark). An empty line gives one empty piece.
std::vector<std::u32string> wrap_line(std::u32string_view line, std::size_t width);

// "Page N".
std::string page_label(int page);

// The header line of a page: the data set's name, and the page label at
// the right edge of a page `width` characters wide (after one blank when
// the name is too long for both).
std::string page_header(std::string_view data_set, int page, std::size_t width);

}  // namespace tandrel::platform
