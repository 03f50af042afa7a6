#include "desktop/RegisteredWidgets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "desktop/ControlMirror.h"
#include "diagnostics/ControlRegistry.h"
#include "ui/FormControls.h"

namespace tandrel::desktop {

RegisteredWidgets::RegisteredWidgets(const ControlRegistry& registry, const Control& page,
                                     ControlMirror& mirror)
    : registry_(registry), page_(page), mirror_(mirror) {}

const RegisteredControl& RegisteredWidgets::entry(const std::string& id) const {
  const RegisteredControl* found = registry_.find(id);
  if (found == nullptr || found->page != &page_)
    throw std::logic_error("control " + id + " is not registered on the page");
  return *found;
}

QWidget* RegisteredWidgets::make(const RegisteredControl& entry, bool as_choice, QWidget* parent) {
  if (!taken_.insert(entry.id).second)
    throw std::logic_error("control " + entry.id + " taken twice");
  QWidget* widget = nullptr;
  switch (entry.kind) {
    case ControlKind::Button:
      widget = mirror_.button(static_cast<ButtonControl&>(*entry.control), parent);
      break;
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBoxControl&>(*entry.control);
      widget = as_choice ? static_cast<QWidget*>(mirror_.choice(box, parent))
                         : static_cast<QWidget*>(mirror_.check_box(box, parent));
      break;
    }
    case ControlKind::Radio:
      widget = mirror_.radio(static_cast<RadioButtonControl&>(*entry.control), parent);
      break;
    case ControlKind::Edit:
      widget = mirror_.edit(static_cast<EditControl&>(*entry.control), parent);
      break;
    case ControlKind::MenuItem:
    case ControlKind::List:
    case ControlKind::Label:
      throw std::logic_error("control " + entry.id + " has no page widget");
  }
  widget->setObjectName(QString::fromStdString(entry.id));
  return widget;
}

std::vector<QWidget*> RegisteredWidgets::take_rest(QWidget* parent) {
  std::vector<QWidget*> rest;
  for (const RegisteredControl& e : registry_.entries())
    if (e.page == &page_ && !taken_.count(e.id)) rest.push_back(make(e, false, parent));
  return rest;
}

}  // namespace tandrel::desktop
