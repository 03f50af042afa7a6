#include "diagnostics/ModalModel.h"

namespace tandrel {

void ModalModel::add_button(std::vector<std::string> names, std::function<bool()> enabled,
                            std::function<void()> click) {
  buttons_.push_back({std::move(names), std::move(enabled), std::move(click)});
}

const ModalModel::Button* ModalModel::find(std::string_view name) const {
  for (const auto& b : buttons_)
    for (const auto& n : b.names)
      if (n == name) return &b;
  return nullptr;
}

bool ModalModel::button_enabled(std::string_view button) const {
  const Button* b = find(button);
  return b != nullptr && b->enabled();
}

bool ModalModel::press(std::string_view button) {
  const Button* b = find(button);
  if (b == nullptr || !b->enabled()) return false;
  b->click();
  return true;
}

}  // namespace tandrel
