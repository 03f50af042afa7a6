#include "platform/PrintLayout.h"

#include <algorithm>

namespace tandrel::platform {

std::u32string expand_tabs(std::u32string_view line) {
  std::u32string out;
  out.reserve(line.size());
  for (char32_t c : line) {
    if (c == U'\t')
      out.append(kTabWidth - out.size() % kTabWidth, U' ');
    else
      out.push_back(c);
  }
  return out;
}

std::vector<std::u32string> wrap_line(std::u32string_view line, std::size_t width) {
  width = std::max(width, kContinuationMark.size() + 1);
  std::vector<std::u32string> pieces;
  std::size_t at = std::min(line.size(), width);
  pieces.emplace_back(line.substr(0, at));
  const std::size_t room = width - kContinuationMark.size();
  while (at < line.size()) {
    const std::size_t take = std::min(room, line.size() - at);
    std::u32string piece(kContinuationMark);
    piece.append(line.substr(at, take));
    pieces.push_back(std::move(piece));
    at += take;
  }
  return pieces;
}

std::string page_label(int page) {
  return "Page " + std::to_string(page);
}

std::string page_header(std::string_view data_set, int page, std::size_t width) {
  const std::string label = page_label(page);
  std::string header(data_set);
  const std::size_t used = header.size() + label.size();
  header.append(used < width ? width - used : 1, ' ');
  return header + label;
}

}  // namespace tandrel::platform
