#include "ui/FormControls.h"

#include <utility>

namespace tandrel {

ButtonControl::ButtonControl(std::string caption_text, std::string hint_text)
    : Control{std::move(caption_text)}, hint(std::move(hint_text)) {}

void ButtonControl::click() {
  if (accepts_clicks() && on_click) on_click();
}

CheckBoxControl::CheckBoxControl(std::string caption_text, std::string hint_text)
    : Control{std::move(caption_text)}, hint(std::move(hint_text)) {}

void CheckBoxControl::set_checked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  if (on_click) on_click();
}

void CheckBoxControl::click() {
  if (accepts_clicks()) set_checked(!checked_);
}

RadioButtonControl* RadioGroup::checked() const {
  for (RadioButtonControl* member : members_)
    if (member->checked()) return member;
  return nullptr;
}

RadioButtonControl::RadioButtonControl(RadioGroup& group, std::string caption_text,
                                       std::string hint_text)
    : Control{std::move(caption_text)}, hint(std::move(hint_text)), group_(group) {
  group_.add(*this);
}

void RadioButtonControl::set_checked(bool value) {
  if (checked_ == value) return;
  if (value)
    for (RadioButtonControl* other : group_.members()) other->checked_ = false;
  checked_ = value;
  if (value && on_click) on_click();
}

void RadioButtonControl::click() {
  if (accepts_clicks()) set_checked(true);
}

EditControl::EditControl(std::string text_value, std::string hint_text)
    : text(std::move(text_value)), hint(std::move(hint_text)) {}

void EditControl::enter_text(const std::string& value) {
  if (!accepts_clicks() || read_only) return;
  text = max_length > 0 ? value.substr(0, static_cast<std::size_t>(max_length)) : value;
  if (on_exit) on_exit();
}

}  // namespace tandrel
