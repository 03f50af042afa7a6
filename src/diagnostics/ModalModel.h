#pragma once

// Base of the modal dialog models: the showing flag, the buttons with their
// ids and handlers, the registry of every control the dialog shows, and what
// a press left for after the modal loop.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/Control.h"
#include "diagnostics/ControlRegistry.h"
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
  // Every control the dialog shows, buttons included, in the order made.
  const ControlRegistry& controls() const { return controls_; }

  // Shows the dialog through the platform; once the modal loop returned,
  // ends the program or raises the interrupt that a press left.
  void show();

 protected:
  enum class Role { Plain, Default, Cancel, DefaultAndCancel };
  // The button's caption and enabled state are those of `control`; the
  // button is registered as a control as well.
  void add_button(std::string id, Control& control, std::function<void()> click,
                  Role role = Role::Plain);
  // Registers a control that is not a button (a list, a label).
  void add_control(std::string id, ControlKind kind, Control& control) {
    controls_.add({std::move(id), kind, &control, nullptr});
  }
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
  ControlRegistry controls_;
  HandlerOutcome pending_;
  bool showing_ = false;
};

}  // namespace tandrel
