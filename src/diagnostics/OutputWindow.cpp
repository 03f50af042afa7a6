#include "diagnostics/OutputWindow.h"

#include <algorithm>

namespace tandrel {

// The memo of a new form holds one empty line.
Toutputwindow::Toutputwindow() : lines_{""} {}

void Toutputwindow::add_line(const std::string& line) {
  if (keep_lines) lines_.push_back(line);
  if (line_listener) line_listener(line);
}

void Toutputwindow::clear() {
  lines_.clear();
}

void Toutputwindow::delete_first_lines(std::size_t count) {
  count = std::min(count, lines_.size());
  lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(count));
}

void Toutputwindow::FormResize() {
  memo_width = Width;
  memo_height = Height;
}

}  // namespace tandrel
