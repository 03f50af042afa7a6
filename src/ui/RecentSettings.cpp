// The File menu's list of recent settings files: what it shows and what
// picking one of them does.

#include <string>
#include <vector>

#include "process/Globals.h"
#include "ui/GenerateForm.h"
#include "ui/SessionMemory.h"

namespace tandrel {

std::vector<std::string> TGenerateForm::recent_settings_files() const {
  if (memory_ == nullptr) return {};
  return memory_->recent_files();
}

std::string TGenerateForm::recent_settings_caption(std::size_t index, const std::string& file) {
  const std::size_t slash = file.find_last_of('/');
  const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  // An "&" in the name would mark a letter instead of showing itself.
  std::string shown;
  for (const char c : name) shown += c == '&' ? std::string("&&") : std::string(1, c);
  // Only the first nine get a digit to press; the tenth shows its number.
  const std::string number = std::to_string(index + 1);
  return (index < 9 ? "&" + number : number) + " " + shown;
}

void TGenerateForm::OpenRecentSettings(std::size_t index) {
  const std::vector<std::string> files = recent_settings_files();
  if (index >= files.size()) return;
  const std::string file = files[index];
  if (!os().file_exists(file)) {
    memory_->forget_recent_file(file);
    os().message_box("Settings not loaded:  the settings file " + file + " no longer exists.",
                     platform::MessageKind::Warning);
    return;
  }
  if (read_settings(file)) memory_->add_recent_file(file);
}

}  // namespace tandrel
