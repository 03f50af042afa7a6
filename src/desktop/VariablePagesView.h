#pragma once

// The variable pages of the main window as the model computed them: one tab
// per page (pages without a tab are hidden), an inner row of tabs for a
// page's sub-tabs, and the variable boxes at the places the model gave them,
// stretched in height when the desktop's font needs more room.

#include <QWidget>
#include <vector>

class QCheckBox;
class QTabWidget;

namespace tandrel {
class TGenerateForm;
}

namespace tandrel::desktop {

class ControlMirror;

class VariablePagesView : public QWidget {
 public:
  VariablePagesView(TGenerateForm& form, ControlMirror& mirror, QWidget* parent);

  void refresh();
  QTabWidget* pages() const { return pages_; }
  // The widget of the box at position k of the model's VarCheckBoxes.
  QCheckBox* box(std::size_t k) const { return boxes_.at(k); }

 private:
  QWidget* build_panel(int page, int sub_tab);

  TGenerateForm& form_;
  ControlMirror& mirror_;
  QTabWidget* pages_;
  std::vector<QTabWidget*> sub_pages_;  // per page; null without sub-tabs
  std::vector<QCheckBox*> boxes_;
  bool refreshing_ = false;
};

}  // namespace tandrel::desktop
