#pragma once

// The controls of the window models: check boxes, radio buttons, buttons,
// edits, menu items and page controls, each with the state a widget mirrors
// and the event handler it runs.
//
// A check box runs its handler whenever its checked flag changes, by a user
// click or by a rule that sets it; a radio button runs its handler when it
// becomes checked. Setting a flag to the value it already has runs nothing:
// the window's rules set each other's controls and rely on this to stop.

#include <functional>
#include <string>
#include <vector>

#include "diagnostics/Control.h"

namespace tandrel {

// A control the user clicks: a push button or a menu item.
struct ButtonControl : Control {
  explicit ButtonControl(std::string caption_text = {}, std::string hint_text = {});

  std::string hint;
  std::function<void()> on_click;

  // What a user's click does: runs the handler of an enabled button.
  void click();
};

struct MenuItemControl : ButtonControl {
  using ButtonControl::ButtonControl;

  bool checked = false;
};

class CheckBoxControl : public Control {
 public:
  explicit CheckBoxControl(std::string caption_text = {}, std::string hint_text = {});

  std::string hint;
  std::function<void()> on_click;

  bool checked() const { return checked_; }
  // Runs the handler when the flag changes.
  void set_checked(bool value);
  // What a user's click does: toggles an enabled box.
  void click();

 private:
  bool checked_ = false;
};

class RadioButtonControl;

// The radio buttons of one group box: at most one of them is checked.
class RadioGroup {
 public:
  void add(RadioButtonControl& button) { members_.push_back(&button); }
  // The checked member, or nullptr.
  RadioButtonControl* checked() const;
  const std::vector<RadioButtonControl*>& members() const { return members_; }

 private:
  std::vector<RadioButtonControl*> members_;
};

class RadioButtonControl : public Control {
 public:
  RadioButtonControl(RadioGroup& group, std::string caption_text, std::string hint_text = {});
  RadioButtonControl(const RadioButtonControl&) = delete;
  RadioButtonControl& operator=(const RadioButtonControl&) = delete;

  std::string hint;
  std::function<void()> on_click;

  bool checked() const { return checked_; }
  // true on an unchecked button unchecks the others of its group, then runs
  // the handler; false only clears the flag.
  void set_checked(bool value);
  // What a user's click does: checks an enabled button.
  void click();

 private:
  friend class RadioGroup;
  RadioGroup& group_;
  bool checked_ = false;
};

// A one-line edit; the year edits take four digits, blanks shown as "_".
struct EditControl : Control {
  explicit EditControl(std::string text_value = {}, std::string hint_text = {});

  std::string text;
  std::string hint;
  std::string edit_mask;
  int max_length = 0;  // 0: no limit
  bool read_only = false;
  bool tab_stop = true;
  // Runs when the focus leaves the edit.
  std::function<void()> on_exit;

  // What a user does: types `value` (cut to max_length) and leaves the edit.
  void enter_text(const std::string& value);
};

// A page control; its pages are the model's own.
struct PageControl : Control {
  int active_page = 0;
  bool hot_track = true;
  bool multi_line = false;
};

}  // namespace tandrel
