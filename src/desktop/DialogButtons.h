#pragma once

// What a modal dialog model shows: its title, its text and its buttons.

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tandrel::desktop {

struct ButtonSpec {
  std::string id;
  std::string caption;
  bool enabled = true;
  bool is_default = false;
  bool is_cancel = false;
};

std::string dialog_caption(const platform::ModalDialog& dialog);
std::string dialog_body(const platform::ModalDialog& dialog);
std::vector<ButtonSpec> dialog_buttons(const platform::ModalDialog& dialog);

}  // namespace tandrel::desktop
