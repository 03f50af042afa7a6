#pragma once

// TGenericListDlg: the two-list dialog on which the five subset dialogs are
// built. The available items stand on the left (kept sorted by text), the
// chosen ones on the right (in the order they arrive); buttons move items
// between them, OK writes the chosen items into the user selections, Cancel
// puts both lists back as they were when the dialog was shown.

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"
#include "process/Signal.h"

namespace tandrel {

class TGenerateForm;
struct user_selection_type;

// One list item: its text and the key it carries (COW code, numcode, region
// enumeration value or diaspora code), which every move keeps with it.
struct ListItem {
  std::string text;
  std::int32_t object = 0;

  bool operator==(const ListItem&) const = default;
};

// A list box where several items can be selected. It announces every change
// by row, a range of rows once, so that a view can follow it row by row and
// keep its scroll position, current item and selection under the user's hand.
class ListBoxModel : public Control {
 public:
  ListBoxModel(bool sorted, Control bounds);

  bool sorted() const { return sorted_; }
  int count() const { return static_cast<int>(items_.size()); }
  const std::vector<ListItem>& items() const { return items_; }
  std::vector<std::string> texts() const;
  const ListItem& item(int index) const { return items_.at(static_cast<std::size_t>(index)); }

  // A sorted list puts the item at its place by text (letter case ignored,
  // after equal texts); an unsorted one appends it. Returns its row.
  int add(ListItem item);
  void remove(int index);
  // Removes rows first..last, announced as one range.
  void remove_rows(int first, int last);
  void clear();
  // Replaces the items, sorting them in a sorted list; nothing is selected.
  void assign(const std::vector<ListItem>& items);

  bool selected(int index) const { return selected_.at(static_cast<std::size_t>(index)); }
  void set_selected(int index, bool value);
  // Selects or deselects rows first..last, announced as one range.
  void set_selected_rows(int first, int last, bool value);
  // Selects exactly the items with these texts.
  void select_texts(const std::vector<std::string>& texts);

  int horizontal_extent = 0;  // pixels the list scrolls sideways; 0: none

  // Before and after rows first..last come or go, and around a replacement
  // of the whole list (clear, assign). The "before" signals see the old rows.
  Signal<int, int> rows_about_to_be_inserted;
  Signal<> rows_inserted;
  Signal<int, int> rows_about_to_be_removed;
  Signal<> rows_removed;
  Signal<> about_to_reset;
  Signal<> reset;
  // After the selection of some of the rows first..last changed.
  Signal<int, int> selection_changed;

 private:
  bool sorted_;
  std::vector<ListItem> items_;
  std::vector<bool> selected_;
};

class TGenericListDlg : public ModalModel {
 public:
  TGenericListDlg(const TGenericListDlg&) = delete;
  TGenericListDlg& operator=(const TGenericListDlg&) = delete;

  std::string Caption = "Countries to be included in output";
  int ClientWidth = 487;
  int ClientHeight = 289;
  Control SrcLabel{"Available:", 8, 7, 117, 13};
  Control DstLabel{"Selected for Output:", 269, 7, 118, 13};
  // Both lists keep the order by text, so a chosen item stands where the
  // user saw it among the available ones.
  ListBoxModel SrcList{true, Control{"", 8, 24, 210, 201}};
  ListBoxModel DstList{true, Control{"", 269, 24, 210, 201}};
  Control IncludeBtn{">", 234, 41, 20, 20};
  Control IncAllBtn{">>", 234, 75, 20, 20};
  Control ExcludeBtn{"<", 234, 109, 20, 20, false};
  Control ExAllBtn{"<<", 234, 143, 20, 20, false};
  Control Ok{"OK", 126, 243, 66, 25};
  Control Cancel{"Cancel", 210, 243, 66, 25};
  Control Help{"&Help", 294, 243, 66, 25};
  // Both lists as they were when the dialog was shown; Cancel restores them.
  std::vector<ListItem> Orig_SrcList;
  std::vector<ListItem> Orig_DstList;
  // The list that has the focus, or nullptr (the OK button has it at first).
  const ListBoxModel* focused_list = nullptr;

  // Sets the caption and refills SrcList from the reference data.
  virtual void SetSourceItems() = 0;
  // ">>": everything to the right.
  void IncAllBtnClick();
  // "<<": everything back to the left.
  void ExcAllBtnClick();
  // ">" and "<": the selected items to the other side.
  void IncludeBtnClick();
  void ExcludeBtnClick();
  void HelpClick();
  // Writes the chosen items into the selections, sets the main window's
  // controls and closes. An empty right list is taken as every item, after
  // a message; every item on the right counts as "all".
  void OkClick();
  void CancelClick();
  void FormShow();

  // Moves the selected items of `list` to `target` (a sorted target puts
  // them at their place), from the last one to the first; each run of
  // neighbouring selected items leaves `list` as one range.
  static void MoveSelected(ListBoxModel& list, ListBoxModel& target);
  void SetButtons();
  static int GetFirstSelection(const ListBoxModel& list);
  // Selects the item at `index` (-1: the first; past the end: the last) and
  // focuses the list when the dialog is shown. An empty list selects nothing.
  void SetItem(ListBoxModel& list, int index);

  // What the main window does to choose every item without showing the
  // dialog: fill, include all, accept, hide.
  void SelectEverything();

  void set_showing(bool showing) override;
  std::string dialog_text() const override { return Caption; }
  std::string caption() const override { return Caption; }
  std::string text() const override { return {}; }

  // After every handler (a button, a selection, OK, Cancel); a mirror
  // re-reads both lists and the buttons.
  Signal<> changed;
  // A user's click on an item: selects or deselects it.
  void SelectItem(ListBoxModel& list, int index, bool selected);
  // A user's range of items (a shift-click, a drag): one change.
  void SelectItems(ListBoxModel& list, int first, int last, bool selected);

 protected:
  explicit TGenericListDlg(TGenerateForm& form);

  TGenerateForm& form() { return form_; }
  void after_press() override { changed.emit(); }
  // The word for the items in the message of an empty choice.
  virtual const char* kind_word() const = 0;
  virtual const char* help_text() const = 0;
  // Replaces the subset list of the selections with these keys.
  virtual void store_keys(const std::vector<std::int32_t>& keys) = 0;
  // Turns on the matching unit of analysis; the non-KIV dialog leaves it.
  virtual void select_unit() {}
  // Ticks the all-items box or the subset box and sets the all flag.
  virtual void show_all_chosen(bool all) = 0;

 private:
  void accept();

  TGenerateForm& form_;
};

// What OK tells the user when nothing was chosen and every item of `kind`
// ("states", "groups", ...) is taken instead.
std::string empty_choice_message(const std::string& kind);

}  // namespace tandrel
