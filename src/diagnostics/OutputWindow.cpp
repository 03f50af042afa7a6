#include "diagnostics/OutputWindow.h"

#include <algorithm>
#include <optional>

#include "platform/SafeFile.h"
#include "process/Globals.h"

namespace tandrel {

// The memo of a new form holds one empty line.
Toutputwindow::Toutputwindow() : lines_{""} {}

void Toutputwindow::add_line(const std::string& line) {
  if (keep_lines) lines_.push_back(line);
  line_added.emit(line);
}

void Toutputwindow::clear() {
  lines_.clear();
  cleared.emit();
}

std::string Toutputwindow::text() const {
  std::string all;
  for (const std::string& line : lines_) all += line + '\n';
  return all;
}

bool Toutputwindow::SaveClick() {
  const platform::SaveFileRequest request{"Text files (*.txt)|*.txt|All files (*.*)|*.*",
                                          "output.txt", true};
  const std::optional<std::string> chosen = os().save_file_dialog(request);
  if (!chosen) return false;
  std::string failure;
  if (platform::write_whole_file(*chosen, text(), failure)) return true;
  os().message_box("The output window could not be saved to " + *chosen + ": " + failure,
                   platform::MessageKind::Error);
  return false;
}

void Toutputwindow::show() {
  if (visible) return;
  visible = true;
  visibility_changed.emit();
}

void Toutputwindow::hide() {
  if (!visible) return;
  visible = false;
  visibility_changed.emit();
}

void Toutputwindow::delete_first_lines(std::size_t count) {
  count = std::min(count, lines_.size());
  if (count == 0) return;
  lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(count));
  lines_removed.emit(count);
}

void Toutputwindow::FormResize() {
  memo_width = Width;
  memo_height = Height;
}

}  // namespace tandrel
