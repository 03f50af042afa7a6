#pragma once

// A subset dialog: the available items on the left, with a filter field
// above them, the chosen ones on the right, the buttons between them, a
// count of the chosen items and OK, Cancel and Help below. The widgets are
// made from the model's registry of controls. The lists follow
// the model row by row (ListBoxAdapter), so a move keeps each list's scroll
// position and current item, and every click reaches the model.

#include <QDialog>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "process/Signal.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSortFilterProxyModel;

namespace tandrel {
class TGenericListDlg;
class ListBoxModel;
struct Control;
struct RegisteredControl;
}  // namespace tandrel

namespace tandrel::desktop {

class ListBoxAdapter;
class ListSelectionSync;

class SubsetDialogView : public QDialog {
 public:
  SubsetDialogView(TGenericListDlg& model, QWidget* parent);
  ~SubsetDialogView() override;

  void refresh();
  void reject() override;

 private:
  QLabel* make_label(const RegisteredControl& entry);
  QListView* make_list(ListBoxModel& list, const std::string& name, QSortFilterProxyModel* filter);
  QPushButton* add_button(const RegisteredControl& entry);
  void press(const std::string& id);
  void filter_changed(const QString& text);
  // A selected item the filter hides would move unseen with ">".
  void deselect_hidden();
  QString count_text() const;

  TGenericListDlg& model_;
  QLineEdit* filter_edit_;
  QSortFilterProxyModel* filter_;
  QListView* source_ = nullptr;
  QListView* chosen_ = nullptr;
  QLabel* count_;
  std::vector<std::unique_ptr<ListSelectionSync>> syncs_;
  std::vector<std::pair<const Control*, QPushButton*>> buttons_;
  std::vector<std::pair<std::string, QLabel*>> labels_;
  Connection changed_;
};

}  // namespace tandrel::desktop
