#pragma once

// Base of the modal dialog models: the showing flag, the buttons with their
// ids and handlers, and what a press left for after the modal loop.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/Control.h"
#include "diagnostics/HandlerGuard.h"
#include "platform/Platform.h"

namespace tandrel {

class ModalModel : public platform::ModalDialog {
 public:
  bool is_showing() const override { return showing_; }
  void set_showing(bool showing) override { showing_ = showing; }
  std::vector<platform::DialogButton> buttons() const override;
  // Runs the button's handler guarded: an interrupt or the end of the
  // program closes the dialog and waits for show().
  bool press(std::string_view id) override;
  bool button_enabled(std::string_view id) const override;

  // Shows the dialog through the platform; once the modal loop returned,
  // ends the program or raises the interrupt that a press left.
  void show();

 protected:
  enum class Role { Plain, Default, Cancel, DefaultAndCancel };
  // The button's caption and enabled state are those of `control`.
  void add_button(std::string id, const Control& control, std::function<void()> click,
                  Role role = Role::Plain);
  void close() { showing_ = false; }
  // Closes the dialog; show() ends the program with `status`.
  void request_end(int status);
  // Runs after every press, when the handler has returned.
  virtual void after_press() {}

 private:
  struct Button {
    std::string id;
    const Control* control;
    std::function<void()> click;
    Role role;
  };
  const Button* find(std::string_view id) const;
  std::vector<Button> buttons_;
  HandlerOutcome pending_;
  bool showing_ = false;
};

}  // namespace tandrel
