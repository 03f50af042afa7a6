#include "ui/ListDialogs.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "process/Globals.h"

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

void ListBoxModel::add(ListItem item) {
  auto at = items_.end();
  if (sorted_)
    at = std::upper_bound(
        items_.begin(), items_.end(), item,
        [](const ListItem& a, const ListItem& b) { return text_less(a.text, b.text); });
  const auto index = at - items_.begin();
  items_.insert(at, std::move(item));
  selected_.insert(selected_.begin() + index, false);
}

void ListBoxModel::remove(int index) {
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
}

void ListBoxModel::clear() {
  items_.clear();
  selected_.clear();
}

void ListBoxModel::assign(const std::vector<ListItem>& items) {
  clear();
  for (const ListItem& item : items) add(item);
}

void ListBoxModel::set_selected(int index, bool value) {
  selected_.at(static_cast<std::size_t>(index)) = value;
}

void ListBoxModel::select_texts(const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < items_.size(); ++i)
    selected_[i] = std::find(texts.begin(), texts.end(), items_[i].text) != texts.end();
}

TGenericListDlg::TGenericListDlg(TGenerateForm& form) : form_(form) {
  add_button(
      {">", "IncludeBtn"}, [this] { return IncludeBtn.enabled; }, [this] { IncludeBtnClick(); });
  add_button(
      {">>", "IncAllBtn"}, [this] { return IncAllBtn.enabled; }, [this] { IncAllBtnClick(); });
  add_button(
      {"<", "ExcludeBtn"}, [this] { return ExcludeBtn.enabled; }, [this] { ExcludeBtnClick(); });
  add_button(
      {"<<", "ExAllBtn"}, [this] { return ExAllBtn.enabled; }, [this] { ExcAllBtnClick(); });
  add_button(
      {"OK", "Ok"}, [this] { return Ok.enabled; }, [this] { OkClick(); });
  add_button(
      {"Cancel"}, [this] { return Cancel.enabled; }, [this] { CancelClick(); });
  add_button(
      {"Help"}, [this] { return Help.enabled; }, [this] { HelpClick(); });
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

void TGenericListDlg::OkClick() {
  if (DstList.count() == 0) {
    os().message_box(empty_choice_message(kind_word()));
    IncAllBtnClick();
  }
  std::vector<std::int32_t> keys;
  for (const ListItem& item : DstList.items()) keys.push_back(item.object);
  store_keys(keys);
  select_unit();
  show_all_chosen(SrcList.count() == 0);
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
  for (int i = list.count() - 1; i >= 0; --i) {
    if (!list.selected(i)) continue;
    target.add(list.item(i));
    list.remove(i);
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

void TGenericListDlg::set_showing(bool showing) {
  ModalModel::set_showing(showing);
  if (showing) FormShow();
}

}  // namespace tandrel
