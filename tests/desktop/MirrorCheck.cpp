#include "MirrorCheck.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include "desktop/MainWindow.h"
#include "ui/GenerateForm.h"
#include "ui/ListDialogs.h"

namespace tandrel::test {

namespace {

class Differences {
 public:
  explicit Differences(QWidget& root) : root_(root) {}

  template <class W>
  W* find(const char* name) {
    W* w = root_.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) lines.push_back(std::string(name) + ": no widget");
    return w;
  }
  void same(const char* name, const char* what, const std::string& widget,
            const std::string& model) {
    if (widget != model)
      lines.push_back(std::string(name) + " " + what + ": widget '" + widget + "', model '" +
                      model + "'");
  }
  void same(const char* name, const char* what, bool widget, bool model) {
    if (widget != model)
      lines.push_back(std::string(name) + " " + what + ": widget " + (widget ? "true" : "false") +
                      ", model " + (model ? "true" : "false"));
  }
  void control(const char* name, QWidget* w, const Control& c) {
    same(name, "enabled", w->isEnabled(), c.enabled);
    same(name, "visible", !w->isHidden(), c.visible);
  }

  std::vector<std::string> lines;

 private:
  QWidget& root_;
};

template <class Model>
void same_checkable(Differences& d, const char* name, QAbstractButton* w, const Model& c) {
  d.same(name, "checked", w->isChecked(), c.checked());
  d.same(name, "caption", w->text().toStdString(), c.caption);
  d.control(name, w, c);
}

// Every registered control of the form, by its kind; one without a widget
// is a difference.
void check_registered(Differences& d, const RegisteredControl& entry) {
  const char* name = entry.id.c_str();
  switch (entry.kind) {
    case ControlKind::CheckBox:
      // Either/or boxes of the model show as radio buttons.
      if (auto* w = d.find<QAbstractButton>(name))
        same_checkable(d, name, w, static_cast<const CheckBoxControl&>(*entry.control));
      return;
    case ControlKind::Radio:
      if (auto* w = d.find<QRadioButton>(name))
        same_checkable(d, name, w, static_cast<const RadioButtonControl&>(*entry.control));
      return;
    case ControlKind::Button:
      if (auto* w = d.find<QPushButton>(name)) {
        d.same(name, "caption", w->text().toStdString(), entry.control->caption);
        d.control(name, w, *entry.control);
      }
      return;
    case ControlKind::Edit:
      if (auto* w = d.find<QLineEdit>(name)) {
        d.same(name, "text", w->text().toStdString(),
               static_cast<const EditControl&>(*entry.control).text);
        d.control(name, w, *entry.control);
      }
      return;
    case ControlKind::MenuItem:
      if (auto* w = d.find<QAction>(name)) {
        const auto& c = static_cast<const MenuItemControl&>(*entry.control);
        d.same(name, "enabled", w->isEnabled(), c.enabled);
        if (w->isCheckable()) d.same(name, "checked", w->isChecked(), c.checked);
      }
      return;
    case ControlKind::List:
      if (auto* w = d.find<QListView>(name)) {
        // A filtered list shows fewer rows than its model holds.
        const QAbstractItemModel* rows = w->model();
        if (auto* proxy = qobject_cast<const QAbstractProxyModel*>(rows))
          rows = proxy->sourceModel();
        d.same(name, "rows", std::to_string(rows->rowCount()),
               std::to_string(static_cast<const ListBoxModel&>(*entry.control).count()));
        d.control(name, w, *entry.control);
      }
      return;
    case ControlKind::Label:
      if (auto* w = d.find<QLabel>(name)) {
        d.same(name, "caption", w->text().toStdString(), entry.control->caption);
        d.same(name, "visible", !w->isHidden(), entry.control->visible);
      }
      return;
  }
}

}  // namespace

std::vector<std::string> mirror_differences(desktop::MainWindow& window) {
  TGenerateForm& form = window.form();
  Differences d(window);
  for (const RegisteredControl& entry : form.Controls.entries()) check_registered(d, entry);
  for (std::size_t k = 0; k < form.VarCheckBoxes.size(); ++k) {
    const std::string name = form.VarBoxPlaces[k].name;
    if (auto* w = d.find<QCheckBox>(name.c_str())) {
      d.same(name.c_str(), "checked", w->isChecked(), form.VarCheckBoxes[k].checked);
      d.same(name.c_str(), "enabled", w->isEnabled(), form.VarCheckBoxes[k].enabled);
    }
  }
  return d.lines;
}

std::vector<std::string> mirror_differences(QWidget& root, const ControlRegistry& registry) {
  Differences d(root);
  for (const RegisteredControl& entry : registry.entries()) check_registered(d, entry);
  return d.lines;
}

}  // namespace tandrel::test
