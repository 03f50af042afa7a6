#include "batch/BatchConsole.h"

#include <ostream>

#include "platform/UnattendedAnswer.h"
#include "run/CreationRun.h"

namespace tandrel {

namespace {

constexpr std::string_view kErrorAt = "Error at ";

// What --quiet keeps of the plain messages: those telling what went wrong.
bool is_error_message(std::string_view text, platform::MessageKind kind) {
  using K = platform::MessageKind;
  if (kind == K::Error || kind == K::Warning) return true;
  if (text == kOutputNotComplete) return true;
  return text.rfind("Error", 0) == 0 || text.rfind("Fatal", 0) == 0;
}

}  // namespace

std::string report_words(const std::string& text) {
  if (text.rfind(kErrorAt, 0) != 0) return text;
  const auto end = text.find(":  ", kErrorAt.size());
  return end == std::string::npos ? text : text.substr(end + 3);
}

void BatchPlatform::message_box(std::string_view text, platform::MessageKind kind) {
  if (!quiet_ || is_error_message(text, kind)) show("message", std::string(text));
}

void BatchPlatform::show_modal(platform::ModalDialog& dialog) {
  // Every dialog a run opens in the batch reports something gone wrong.
  show(std::string(dialog.dialog_name()), dialog.dialog_text());
  dialog.set_showing(true);
  while (dialog.is_showing()) platform::answer_unattended(dialog);
}

void BatchPlatform::process_messages() {
  if (pump_hook_) pump_hook_();
}

void BatchPlatform::show(const std::string& what, const std::string& text) {
  const std::string key = "[" + what + "] " + report_words(text);
  auto [it, first] = repeats_.try_emplace(key, 0);
  if (!first) {
    ++it->second;
    return;
  }
  order_.push_back(key);
  err_ << "[" << what << "] " << text << "\n" << std::flush;
}

void BatchPlatform::print_repeats() {
  for (const auto& key : order_) {
    const int more = repeats_[key];
    if (more > 0) err_ << key << "  (the same report " << more << " more times)\n";
  }
  repeats_.clear();
  order_.clear();
}

}  // namespace tandrel
