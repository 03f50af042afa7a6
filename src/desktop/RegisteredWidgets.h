#pragma once

// The widgets of the controls a form registered on one page, made from the
// registry by kind (a button, a check box, a radio button, an edit) and
// bound through the mirror. A page's layout takes each widget by id where
// it stands; what no layout took is handed out at the end, so a control
// registered in the model gets its widget without a second list.

#include <QRadioButton>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

class QWidget;

namespace tandrel {
class ControlRegistry;
struct Control;
struct RegisteredControl;
}  // namespace tandrel

namespace tandrel::desktop {

class ControlMirror;

class RegisteredWidgets {
 public:
  // The controls of `registry` whose page is `page`.
  RegisteredWidgets(const ControlRegistry& registry, const Control& page, ControlMirror& mirror);

  // The widget of the control `id`, named by it, as a `W`. A check box of
  // the model taken as a radio button is one of an either/or pair. An id
  // that is not registered on the page, taken twice, or of another widget
  // type is a programming error.
  template <class W>
  W* take(const std::string& id, QWidget* parent) {
    QWidget* widget = make(entry(id), std::is_same_v<W, QRadioButton>, parent);
    auto* typed = qobject_cast<W*>(widget);
    if (typed == nullptr) throw std::logic_error("control " + id + " is not a widget of that type");
    return typed;
  }

  // The widgets of the page's controls that were not taken, in the order
  // registered, each of its kind's own widget type.
  std::vector<QWidget*> take_rest(QWidget* parent);

 private:
  const RegisteredControl& entry(const std::string& id) const;
  QWidget* make(const RegisteredControl& entry, bool as_choice, QWidget* parent);

  const ControlRegistry& registry_;
  const Control& page_;
  ControlMirror& mirror_;
  std::set<std::string> taken_;
};

}  // namespace tandrel::desktop
