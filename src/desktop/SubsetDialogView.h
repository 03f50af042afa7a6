#pragma once

// A subset dialog: the available items on the left, the chosen ones on the
// right, the buttons between them and OK, Cancel and Help below. Every
// selection and press goes to the model, and both lists are read back.

#include <QDialog>
#include <vector>

#include "process/Signal.h"

class QListWidget;
class QPushButton;

namespace tandrel {
class TGenericListDlg;
class ListBoxModel;
}  // namespace tandrel

namespace tandrel::desktop {

class SubsetDialogView : public QDialog {
 public:
  SubsetDialogView(TGenericListDlg& model, QWidget* parent);

  void refresh();
  void reject() override;

 private:
  QPushButton* add_button(const std::string& id, const std::string& caption);
  void press(const std::string& id);
  void selection_to_model(QListWidget* widget, ListBoxModel& list);

  TGenericListDlg& model_;
  QListWidget* source_;
  QListWidget* chosen_;
  std::vector<std::pair<std::string, QPushButton*>> buttons_;
  bool refreshing_ = false;
  Connection changed_;
};

}  // namespace tandrel::desktop
