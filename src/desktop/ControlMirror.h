#pragma once

// Binds widgets to the controls of a window model. Each binding forwards the
// user's action to the control's own handler and knows how to read the
// control back into the widget; refresh() reads every bound control. No rule
// lives here: what a click does to other controls is the model's business.

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QAbstractButton;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tandrel {
struct ButtonControl;
struct Control;
struct EditControl;
struct MenuItemControl;
class CheckBoxControl;
class RadioButtonControl;
}  // namespace tandrel

namespace tandrel::desktop {

class ControlMirror {
 public:
  // `act` runs a user action on the model and whatever follows it (the
  // window re-reads the models, the program may end).
  explicit ControlMirror(std::function<void(const std::function<void()>&)> act);

  QCheckBox* check_box(CheckBoxControl& control, QWidget* parent);
  QRadioButton* radio(RadioButtonControl& control, QWidget* parent);
  // One of an either/or pair of check boxes of the model (All or Subset),
  // shown as the radio button it is to the user: a click on the one that
  // is on does nothing.
  QRadioButton* choice(CheckBoxControl& control, QWidget* parent);
  // Puts the buttons in one exclusive group, so the keyboard's arrows move
  // between them and assistive technology reads them as one choice. The
  // model still decides which is on, also when none is.
  void exclusive(std::initializer_list<QAbstractButton*> buttons);
  QPushButton* button(ButtonControl& control, QWidget* parent);
  // A one-line edit; leaving it (or Return) types its text into the model.
  QLineEdit* edit(EditControl& control, QWidget* parent);
  // `mnemonic`: the letter of the caption that Alt takes to the box.
  QGroupBox* group_box(Control& control, QWidget* parent, char mnemonic = 0);
  QLabel* label(Control& control, QWidget* parent);
  // `checkable`: a menu item that shows its checked flag (Trace On and Off);
  // `menu_id`: the item's id, for the letter the keyboard takes to it.
  void action(QAction* widget, MenuItemControl& control, bool checkable = false,
              std::string menu_id = {});
  // A widget whose enabled and visible follow a plain control.
  void follow(QWidget* widget, const Control& control);
  // A refresher of one's own, run with the others.
  void add(std::function<void()> refresher) { refreshers_.push_back(std::move(refresher)); }

  void refresh() const;
  // Runs a user action that no single control carries.
  void act(const std::function<void()>& action) const { act_(action); }

 private:
  template <class Widget, class Model>
  Widget* checkable(Model& control, QWidget* parent);

  std::function<void(const std::function<void()>&)> act_;
  std::vector<std::function<void()>> refreshers_;
};

}  // namespace tandrel::desktop
