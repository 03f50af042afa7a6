// How the main window runs its handlers: one guarded call per user action,
// one `changed` after it, and no clicks into the pages during a run.

#include <utility>

#include "diagnostics/HandlerGuard.h"
#include "ui/GenerateForm.h"

namespace tandrel {

void TGenerateForm::run_handler(const std::function<void()>& handler) {
  // A rule that sets another control, or a dialog opened by a handler, runs
  // inside the outermost action; that one catches and announces.
  if (handler_depth_ > 0) {
    handler();
    return;
  }
  ++handler_depth_;
  const HandlerOutcome outcome = run_guarded(handler);
  --handler_depth_;
  if (outcome.end_status && !end_requested_) end_requested_ = outcome.end_status;
  changed.emit();
}

void TGenerateForm::announce(const std::function<void()>& handler) {
  if (handler_depth_ > 0) {
    handler();
    return;
  }
  ++handler_depth_;
  try {
    handler();
  } catch (...) {
    --handler_depth_;
    throw;
  }
  --handler_depth_;
  changed.emit();
}

std::function<void()> TGenerateForm::guarded(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { run_handler(handler); };
}

// A control registers where it is wired. Everything on the three pages
// sits in SelectionTabs, and the menu items in their menus: a run disables
// those, and their controls then take no clicks, whatever their own enabled
// state says.
template <class C>
void TGenerateForm::reg_control(const char* id, ControlKind kind, C& control, Control* page,
                                void (TGenerateForm::*handler)()) {
  control.parent = page;
  Controls.add({id, kind, &control, page});
  if (handler == nullptr) return;
  std::function<void()> call = [this, handler] { (this->*handler)(); };
  // A menu item's own check as well: a shut menu offers nothing.
  if (kind == ControlKind::MenuItem && page != nullptr)
    call = [page, call] {
      if (page->enabled) call();
    };
  if constexpr (requires { control.on_exit; })
    control.on_exit = guarded(std::move(call));
  else
    control.on_click = guarded(std::move(call));
}

void TGenerateForm::reg(const char* id, ButtonControl& control, Control* page, Handler handler) {
  reg_control(id, ControlKind::Button, control, page, handler);
}

void TGenerateForm::reg(const char* id, MenuItemControl& control, Control* page, Handler handler) {
  reg_control(id, ControlKind::MenuItem, control, page, handler);
}

void TGenerateForm::reg(const char* id, CheckBoxControl& control, Control* page, Handler handler) {
  reg_control(id, ControlKind::CheckBox, control, page, handler);
}

void TGenerateForm::reg(const char* id, RadioButtonControl& control, Control* page,
                        Handler handler) {
  reg_control(id, ControlKind::Radio, control, page, handler);
}

void TGenerateForm::reg(const char* id, EditControl& control, Control* page, Handler handler) {
  reg_control(id, ControlKind::Edit, control, page, handler);
}

}  // namespace tandrel
