#include "desktop/ControlMirror.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/FormControls.h"
#include "ui/MenuKeys.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

void show_state(QWidget* widget, const Control& control) {
  widget->setEnabled(control.enabled);
  // A widget whose parent is hidden reports itself hidden; only the
  // control's own flag decides.
  if (widget->isHidden() == control.visible) widget->setVisible(control.visible);
}

// Leaving the edit types its text into the model. Qt's own editingFinished
// does not come while an input mask is incomplete, and an incomplete year
// is what the model's rule must see.
class LeaveFilter : public QObject {
 public:
  LeaveFilter(QLineEdit* edit, std::function<void()> left)
      : QObject(edit), left_(std::move(left)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) left_();
    return false;
  }

 private:
  std::function<void()> left_;
};

// Sets a button the model's way; an exclusive group would refuse to turn
// its checked button off, so it is loosened for the moment.
void set_checked(QAbstractButton* widget, bool checked) {
  const QSignalBlocker block(widget);
  QButtonGroup* group = widget->group();
  if (group != nullptr) group->setExclusive(false);
  widget->setChecked(checked);
  if (group != nullptr) group->setExclusive(true);
}

}  // namespace

ControlMirror::ControlMirror(std::function<void(const std::function<void()>&)> act)
    : act_(std::move(act)) {}

// A check box or a radio button: the model's flag is the truth, so the
// widget's own toggling is undone by the refresh that follows the click.
template <class Widget, class Model>
Widget* ControlMirror::checkable(Model& control, QWidget* parent) {
  auto* widget = new Widget(q(control.caption), parent);
  widget->setToolTip(q(control.hint));
  widget->setAccessibleName(q(without_accelerator(control.caption)));
  QObject::connect(widget, &Widget::clicked, widget,
                   [this, &control] { act_([&control] { control.click(); }); });
  refreshers_.push_back([widget, &control] {
    widget->setText(q(control.caption));
    set_checked(widget, control.checked());
    show_state(widget, control);
  });
  return widget;
}

QRadioButton* ControlMirror::choice(CheckBoxControl& control, QWidget* parent) {
  auto* widget = new QRadioButton(q(control.caption), parent);
  widget->setAutoExclusive(false);
  widget->setToolTip(q(control.hint));
  widget->setAccessibleName(q(without_accelerator(control.caption)));
  QObject::connect(widget, &QRadioButton::clicked, widget, [this, &control] {
    act_([&control] {
      if (!control.checked()) control.click();
    });
  });
  refreshers_.push_back([widget, &control] {
    widget->setText(q(control.caption));
    set_checked(widget, control.checked());
    show_state(widget, control);
  });
  return widget;
}

void ControlMirror::exclusive(std::initializer_list<QAbstractButton*> buttons) {
  if (buttons.size() == 0) return;
  auto* group = new QButtonGroup((*buttons.begin())->parent());
  group->setExclusive(true);
  for (QAbstractButton* button : buttons) group->addButton(button);
}

QCheckBox* ControlMirror::check_box(CheckBoxControl& control, QWidget* parent) {
  return checkable<QCheckBox>(control, parent);
}

QRadioButton* ControlMirror::radio(RadioButtonControl& control, QWidget* parent) {
  auto* widget = checkable<QRadioButton>(control, parent);
  // The model's group decides which button is on.
  widget->setAutoExclusive(false);
  return widget;
}

QPushButton* ControlMirror::button(ButtonControl& control, QWidget* parent) {
  auto* widget = new QPushButton(q(control.caption), parent);
  widget->setToolTip(q(control.hint));
  widget->setAutoDefault(false);
  QObject::connect(widget, &QPushButton::clicked, widget,
                   [this, &control] { act_([&control] { control.click(); }); });
  refreshers_.push_back([widget, &control] {
    widget->setText(q(control.caption));
    show_state(widget, control);
  });
  return widget;
}

QLineEdit* ControlMirror::edit(EditControl& control, QWidget* parent) {
  auto* widget = new QLineEdit(parent);
  widget->setToolTip(q(control.hint));
  widget->setReadOnly(control.read_only);
  if (!control.tab_stop) widget->setFocusPolicy(Qt::ClickFocus);
  if (!control.edit_mask.empty()) {
    // "0000;1;_": four digits, blanks shown as "_". Qt's "9" is a required
    // digit; the model's rule judges what the user left.
    widget->setInputMask(QStringLiteral("9999;_"));
  }
  if (control.max_length > 0) widget->setMaxLength(control.max_length);
  auto leave = [this, widget, &control] {
    if (widget->isReadOnly()) return;
    const std::string text = widget->text().toStdString();
    if (text == control.text) return;
    act_([&control, text] { control.enter_text(text); });
  };
  widget->installEventFilter(new LeaveFilter(widget, leave));
  QObject::connect(widget, &QLineEdit::returnPressed, widget, leave);
  refreshers_.push_back([widget, &control] {
    const QSignalBlocker block(widget);
    if (widget->text().toStdString() != control.text) widget->setText(q(control.text));
    show_state(widget, control);
  });
  return widget;
}

QGroupBox* ControlMirror::group_box(Control& control, QWidget* parent, char mnemonic) {
  auto title = [&control, mnemonic] {
    QString text = q(control.caption).trimmed();
    const qsizetype at = mnemonic == 0 ? -1 : text.indexOf(QChar(mnemonic), 0, Qt::CaseInsensitive);
    if (at >= 0) text.insert(at, QLatin1Char('&'));
    return text;
  };
  auto* widget = new QGroupBox(title(), parent);
  widget->setAccessibleName(q(control.caption).trimmed());
  refreshers_.push_back([widget, &control, title] {
    widget->setTitle(title());
    show_state(widget, control);
  });
  return widget;
}

QLabel* ControlMirror::label(Control& control, QWidget* parent) {
  auto* widget = new QLabel(q(control.caption), parent);
  refreshers_.push_back([widget, &control] {
    widget->setText(q(control.caption));
    show_state(widget, control);
  });
  return widget;
}

void ControlMirror::action(QAction* widget, MenuItemControl& control, bool checkable,
                           std::string menu_id) {
  // The menus show the model's caption with the letter the keyboard takes.
  auto shown = [&control, id = std::move(menu_id)] { return q(menu_caption(id, control.caption)); };
  widget->setText(shown());
  widget->setCheckable(checkable);
  widget->setToolTip(q(control.hint));
  QObject::connect(widget, &QAction::triggered, widget,
                   [this, &control] { act_([&control] { control.click(); }); });
  refreshers_.push_back([widget, &control, shown] {
    const QSignalBlocker block(widget);
    widget->setText(shown());
    widget->setChecked(control.checked);
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
  });
}

void ControlMirror::follow(QWidget* widget, const Control& control) {
  refreshers_.push_back([widget, &control] { show_state(widget, control); });
}

void ControlMirror::refresh() const {
  for (const auto& r : refreshers_) r();
}

}  // namespace tandrel::desktop
