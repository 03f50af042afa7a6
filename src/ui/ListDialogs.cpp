#include "ui/ListDialogs.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "process/Globals.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

bool text_less(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

}  // namespace

std::string empty_choice_message(const std::string& kind) {
  return "Please note:  you are exiting the selection subset window with no selection made.  "
         "Tandrel is setting the specification to include all " +
         kind + " in the output.";
}

ListBoxModel::ListBoxModel(bool sorted, Control bounds)
    : Control(std::move(bounds)), sorted_(sorted) {}

std::vector<std::string> ListBoxModel::texts() const {
  std::vector<std::string> out;
  for (const ListItem& item : items_) out.push_back(item.text);
  return out;
}

int ListBoxModel::add(ListItem item) {
  auto at = items_.end();
  if (sorted_)
    at = std::upper_bound(
        items_.begin(), items_.end(), item,
        [](const ListItem& a, const ListItem& b) { return text_less(a.text, b.text); });
  const auto index = at - items_.begin();
  const int row = static_cast<int>(index);
  rows_about_to_be_inserted.emit(row, row);
  items_.insert(at, std::move(item));
  selected_.insert(selected_.begin() + index, false);
  rows_inserted.emit();
  return row;
}

void ListBoxModel::remove(int index) {
  remove_rows(index, index);
}

void ListBoxModel::remove_rows(int first, int last) {
  if (first < 0 || last >= count() || first > last) return;
  rows_about_to_be_removed.emit(first, last);
  items_.erase(items_.begin() + first, items_.begin() + last + 1);
  selected_.erase(selected_.begin() + first, selected_.begin() + last + 1);
  rows_removed.emit();
}

void ListBoxModel::clear() {
  if (items_.empty()) return;
  about_to_reset.emit();
  items_.clear();
  selected_.clear();
  reset.emit();
}

void ListBoxModel::assign(const std::vector<ListItem>& items) {
  about_to_reset.emit();
  items_.clear();
  selected_.clear();
  for (const ListItem& item : items) {
    auto at = items_.end();
    if (sorted_)
      at = std::upper_bound(
          items_.begin(), items_.end(), item,
          [](const ListItem& a, const ListItem& b) { return text_less(a.text, b.text); });
    items_.insert(at, item);
  }
  selected_.assign(items_.size(), false);
  reset.emit();
}

void ListBoxModel::set_selected(int index, bool value) {
  set_selected_rows(index, index, value);
}

void ListBoxModel::set_selected_rows(int first, int last, bool value) {
  bool any = false;
  for (int i = first; i <= last; ++i) {
    const auto at = static_cast<std::size_t>(i);
    any = any || selected_.at(at) != value;
    selected_[at] = value;
  }
  if (any) selection_changed.emit(first, last);
}

void ListBoxModel::select_texts(const std::vector<std::string>& texts) {
  bool any = false;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const bool value = std::find(texts.begin(), texts.end(), items_[i].text) != texts.end();
    any = any || selected_[i] != value;
    selected_[i] = value;
  }
  if (any) selection_changed.emit(0, count() - 1);
}

TGenericListDlg::TGenericListDlg(TGenerateForm& form) : form_(form) {
  add_control("SrcLabel", ControlKind::Label, SrcLabel);
  add_control("DstLabel", ControlKind::Label, DstLabel);
  add_control("SrcList", ControlKind::List, SrcList);
  add_control("DstList", ControlKind::List, DstList);
  add_button("IncludeBtn", IncludeBtn, [this] { IncludeBtnClick(); });
  add_button("IncAllBtn", IncAllBtn, [this] { IncAllBtnClick(); });
  add_button("ExcludeBtn", ExcludeBtn, [this] { ExcludeBtnClick(); });
  add_button("ExAllBtn", ExAllBtn, [this] { ExcAllBtnClick(); });
  add_button(
      "Ok", Ok, [this] { OkClick(); }, Role::Default);
  add_button(
      "Cancel", Cancel, [this] { CancelClick(); }, Role::Cancel);
  add_button("Help", Help, [this] { HelpClick(); });
}

void TGenericListDlg::IncAllBtnClick() {
  DstList.clear();
  SetSourceItems();
  for (const ListItem& item : SrcList.items()) DstList.add(item);
  SrcList.clear();
  SetItem(DstList, 0);
}

void TGenericListDlg::ExcAllBtnClick() {
  DstList.clear();
  SetSourceItems();
  SetItem(SrcList, 0);
}

void TGenericListDlg::IncludeBtnClick() {
  const int index = GetFirstSelection(SrcList);
  MoveSelected(SrcList, DstList);
  SetItem(SrcList, index);
}

void TGenericListDlg::ExcludeBtnClick() {
  const int index = GetFirstSelection(DstList);
  MoveSelected(DstList, SrcList);
  SetItem(DstList, index);
}

void TGenericListDlg::HelpClick() {
  os().message_box(help_text());
}

// The main window's controls change: one action of the window, announced
// once, whether OK was pressed in the shown dialog or by SelectEverything.
void TGenericListDlg::OkClick() {
  form_.run_handler([this] { accept(); });
}

void TGenericListDlg::accept() {
  if (DstList.count() == 0) {
    os().message_box(empty_choice_message(kind_word()));
    IncAllBtnClick();
  }
  std::vector<std::int32_t> keys;
  for (const ListItem& item : DstList.items()) keys.push_back(item.object);
  store_keys(keys);
  // The all flag first: turning on another unit shows that unit's all flag,
  // and a flag still saying "all" would choose every item over this subset.
  show_all_chosen(SrcList.count() == 0);
  select_unit();
  close();
}

void TGenericListDlg::CancelClick() {
  SrcList.assign(Orig_SrcList);
  DstList.assign(Orig_DstList);
  close();
}

void TGenericListDlg::FormShow() {
  Orig_SrcList = SrcList.items();
  Orig_DstList = DstList.items();
  focused_list = nullptr;
  SetItem(SrcList, 0);
}

void TGenericListDlg::MoveSelected(ListBoxModel& list, ListBoxModel& target) {
  int last = list.count() - 1;
  while (last >= 0) {
    if (!list.selected(last)) {
      --last;
      continue;
    }
    int first = last;
    while (first > 0 && list.selected(first - 1)) --first;
    for (int i = last; i >= first; --i) target.add(list.item(i));
    list.remove_rows(first, last);
    last = first - 1;
  }
}

void TGenericListDlg::SetButtons() {
  const bool source = SrcList.count() > 0;
  const bool chosen = DstList.count() > 0;
  IncludeBtn.enabled = source;
  IncAllBtn.enabled = source;
  ExcludeBtn.enabled = chosen;
  ExAllBtn.enabled = chosen;
}

int TGenericListDlg::GetFirstSelection(const ListBoxModel& list) {
  for (int i = 0; i < list.count(); ++i)
    if (list.selected(i)) return i;
  return -1;
}

void TGenericListDlg::SetItem(ListBoxModel& list, int index) {
  if (is_showing()) focused_list = &list;
  const int last = list.count() - 1;
  if (index == -1) index = 0;
  if (index > last) index = last;
  if (index >= 0) list.set_selected(index, true);
  SetButtons();
}

void TGenericListDlg::SelectEverything() {
  SetSourceItems();
  IncAllBtnClick();
  OkClick();
  close();
}

void TGenericListDlg::SelectItem(ListBoxModel& list, int index, bool selected) {
  SelectItems(list, index, index, selected);
}

void TGenericListDlg::SelectItems(ListBoxModel& list, int first, int last, bool selected) {
  if (first < 0 || last >= list.count() || first > last) return;
  list.set_selected_rows(first, last, selected);
  focused_list = &list;
  changed.emit();
}

void TGenericListDlg::set_showing(bool showing) {
  ModalModel::set_showing(showing);
  if (showing) FormShow();
}

}  // namespace tandrel
