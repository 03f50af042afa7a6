#pragma once

// Base of the modal dialog models: the showing flag and the mapping from
// button names to event handlers that the platform's modal loop uses.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace tandrel {

class ModalModel : public platform::ModalDialog {
 public:
  bool is_showing() const override { return showing_; }
  void set_showing(bool showing) override { showing_ = showing; }
  bool press(std::string_view button) override;
  bool button_enabled(std::string_view button) const override;

 protected:
  struct Button {
    std::vector<std::string> names;  // caption and control name
    std::function<bool()> enabled;
    std::function<void()> click;
  };
  void add_button(std::vector<std::string> names, std::function<bool()> enabled,
                  std::function<void()> click);
  void close() { showing_ = false; }

 private:
  const Button* find(std::string_view name) const;
  std::vector<Button> buttons_;
  bool showing_ = false;
};

}  // namespace tandrel
