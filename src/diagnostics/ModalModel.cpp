#include "diagnostics/ModalModel.h"

#include "process/Exceptions.h"
#include "process/Globals.h"

namespace tandrel {

void ModalModel::add_button(std::string id, Control& control, std::function<void()> click,
                            Role role) {
  add_control(id, ControlKind::Button, control);
  buttons_.push_back({std::move(id), &control, std::move(click), role});
}

const ModalModel::Button* ModalModel::find(std::string_view id) const {
  for (const auto& b : buttons_)
    if (b.id == id) return &b;
  return nullptr;
}

std::vector<platform::DialogButton> ModalModel::buttons() const {
  std::vector<platform::DialogButton> list;
  for (const auto& b : buttons_)
    list.push_back({b.id, b.control->caption, b.control->enabled,
                    b.role == Role::Default || b.role == Role::DefaultAndCancel,
                    b.role == Role::Cancel || b.role == Role::DefaultAndCancel});
  return list;
}

bool ModalModel::button_enabled(std::string_view id) const {
  const Button* b = find(id);
  return b != nullptr && b->control->enabled;
}

bool ModalModel::press(std::string_view id) {
  const Button* b = find(id);
  if (b == nullptr || !b->control->enabled) return false;
  const HandlerOutcome outcome = run_guarded(b->click);
  if (outcome.end_status || outcome.interrupted) {
    if (!pending_.end_status) pending_.end_status = outcome.end_status;
    pending_.interrupted = pending_.interrupted || outcome.interrupted;
    close();
  }
  after_press();
  return true;
}

void ModalModel::request_end(int status) {
  if (!pending_.end_status) pending_.end_status = status;
  close();
}

void ModalModel::show() {
  pending_ = {};
  os().show_modal(*this);
  const HandlerOutcome left = std::exchange(pending_, HandlerOutcome{});
  if (left.end_status) end_program(*left.end_status);
  if (left.interrupted) throw EUserInterrupt("User Interrupt");
}

}  // namespace tandrel
