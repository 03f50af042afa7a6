#include "ui/SubsetDialogs.h"

#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/SubsetSources.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

// Group items are long: the group lists scroll sideways this far.
constexpr int kGroupListExtent = 290;

std::vector<ListItem> list_items(const std::vector<SubsetItem>& items) {
  std::vector<ListItem> out;
  out.reserve(items.size());
  for (const SubsetItem& item : items) out.push_back({item.text, item.key});
  return out;
}

// The list keeps the key each item carries, so two states of one name stay
// apart; the key is what the item's text names.
template <typename List>
void store(List& list, const std::vector<std::int32_t>& keys) {
  list.clear();
  for (std::int32_t key : keys) list.push_back(typename List::value_type(key));
}

void show_pair(CheckBoxControl& all_box, CheckBoxControl& subset_box, bool& all_flag, bool all) {
  all_box.set_checked(all);
  subset_box.set_checked(!all);
  all_flag = all;
}

}  // namespace

TKIVCountryListDlg::TKIVCountryListDlg(TGenerateForm& form) : TGenericListDlg(form) {
  SetSourceItems();
}

void TKIVCountryListDlg::SetSourceItems() {
  Caption = "Countries (with KIV groups) to be included in output";
  const Session& g = form().session();
  SrcList.assign(list_items(kiv_state_items(*g.group_index, *g.nation_array)));
}

const char* TKIVCountryListDlg::help_text() const {
  return "Choose countries with KIV groups to include and click on Ok.";
}

void TKIVCountryListDlg::store_keys(const std::vector<std::int32_t>& keys) {
  store(form().session().selections->selected_states, keys);
}

void TKIVCountryListDlg::select_unit() {
  form().PhysStateButton.set_checked(true);
  form().session().selections->physical_aggregation = physical_aggregation_type::PhysState;
}

void TKIVCountryListDlg::show_all_chosen(bool all) {
  show_pair(form().AllStatesCheckBox, form().SubsetStatesCheckBox,
            form().session().selections->all_states, all);
}

TNonKIVCountryListDlg::TNonKIVCountryListDlg(TGenerateForm& form) : TGenericListDlg(form) {
  SetSourceItems();
}

void TNonKIVCountryListDlg::SetSourceItems() {
  Caption = "Countries (without KIV groups) to be included in output";
  const Session& g = form().session();
  SrcList.assign(list_items(nonkiv_state_items(*g.group_index, *g.nation_array,
                                               g.description->get_first_year_possible(0),
                                               g.description->get_last_year_possible(0))));
}

const char* TNonKIVCountryListDlg::help_text() const {
  return "Choose countries without KIV groups to include and click on Ok.";
}

void TNonKIVCountryListDlg::store_keys(const std::vector<std::int32_t>& keys) {
  store(form().session().selections->selected_nonkiv_states, keys);
}

void TNonKIVCountryListDlg::show_all_chosen(bool all) {
  show_pair(form().NonKivGroupAllCheckBox, form().NonKivGroupSubsetCheckBox,
            form().session().selections->all_nonkiv_states, all);
}

TGroupListDlg::TGroupListDlg(TGenerateForm& form) : TGenericListDlg(form) {
  SrcList.horizontal_extent = kGroupListExtent;
  DstList.horizontal_extent = kGroupListExtent;
  SetSourceItems();
}

void TGroupListDlg::SetSourceItems() {
  Caption = "KIV Groups to be included in output";
  const Session& g = form().session();
  SrcList.assign(list_items(group_items(*g.group_index, *g.nation_array)));
}

const char* TGroupListDlg::help_text() const {
  return "Choose Groups to include and click on Ok.";
}

void TGroupListDlg::store_keys(const std::vector<std::int32_t>& keys) {
  store(form().session().selections->selected_groups, keys);
}

void TGroupListDlg::select_unit() {
  form().PhysGrpButton.set_checked(true);
  form().session().selections->physical_aggregation = physical_aggregation_type::PhysGroup;
}

void TGroupListDlg::show_all_chosen(bool all) {
  show_pair(form().AllGrpCheckBox, form().SubsetGrpCheckBox,
            form().session().selections->all_groups, all);
}

TRegionListDlg::TRegionListDlg(TGenerateForm& form) : TGenericListDlg(form) {
  SetSourceItems();
}

void TRegionListDlg::SetSourceItems() {
  Caption = "Regions to be included in output";
  const Session& g = form().session();
  SrcList.assign(list_items(region_items(*g.group_index, *g.region_list)));
}

const char* TRegionListDlg::help_text() const {
  return "Choose Regions to include and click on Ok.";
}

void TRegionListDlg::store_keys(const std::vector<std::int32_t>& keys) {
  auto& regions = form().session().selections->selected_regions;
  regions.clear();
  for (std::int32_t key : keys) regions.push_back(static_cast<kiv_region_type>(key));
}

void TRegionListDlg::select_unit() {
  form().PhysRegionButton.set_checked(true);
  form().session().selections->physical_aggregation = physical_aggregation_type::PhysRegion;
}

void TRegionListDlg::show_all_chosen(bool all) {
  show_pair(form().AllRegionCheckBox, form().SubsetRegionCheckBox,
            form().session().selections->all_regions, all);
}

TDiasporaListDlg::TDiasporaListDlg(TGenerateForm& form) : TGenericListDlg(form) {
  SetSourceItems();
}

void TDiasporaListDlg::SetSourceItems() {
  Caption = "KIV Diaspora groupings to be included";
  SrcList.assign(list_items(diaspora_items(*form().session().group_index)));
}

const char* TDiasporaListDlg::help_text() const {
  return "Choose Diasporas to include and click on Ok.";
}

void TDiasporaListDlg::store_keys(const std::vector<std::int32_t>& keys) {
  store(form().session().selections->selected_diasporas, keys);
}

void TDiasporaListDlg::select_unit() {
  form().PhysDiasporaButton.set_checked(true);
  form().session().selections->physical_aggregation = physical_aggregation_type::PhysDiaspora;
}

void TDiasporaListDlg::show_all_chosen(bool all) {
  show_pair(form().AllDiasporaCheckBox, form().DiasporaSubsetCheckBox,
            form().session().selections->all_diasporas, all);
}

}  // namespace tandrel
