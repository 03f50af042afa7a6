// The unit of analysis, its All/Subset pairs and the control-case boxes of
// the main window.
//
// All X and Subset X act as a pair of which at least one is checked, and a
// subset is never chosen without a list: checking All X fills the list with
// every item through the X dialog, and checking Subset X with an empty list
// opens that dialog.

#include "process/Globals.h"
#include "ui/GenerateForm.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {

TGenerateForm::SubsetRow TGenerateForm::row(Subset kind) {
  switch (kind) {
    case Subset::Groups:
      return {AllGrpCheckBox,
              SubsetGrpCheckBox,
              GroupSubsetButton,
              GroupListDlg.get(),
              &user_selection_type::all_groups,
              [](const user_selection_type& s) { return s.selected_groups.empty(); }};
    case Subset::States:
      return {AllStatesCheckBox,
              SubsetStatesCheckBox,
              ChangeStateSubsetButton,
              KIVCountryListDlg.get(),
              &user_selection_type::all_states,
              [](const user_selection_type& s) { return s.selected_states.empty(); }};
    case Subset::Regions:
      return {AllRegionCheckBox,
              SubsetRegionCheckBox,
              ChangeRegionSubsetButton,
              RegionListDlg.get(),
              &user_selection_type::all_regions,
              [](const user_selection_type& s) { return s.selected_regions.empty(); }};
    case Subset::Diasporas:
      break;
  }
  return {AllDiasporaCheckBox,
          DiasporaSubsetCheckBox,
          ChangeDiasporaSubsetButton,
          DiasporaListDlg.get(),
          &user_selection_type::all_diasporas,
          [](const user_selection_type& s) { return s.selected_diasporas.empty(); }};
}

void TGenerateForm::DisableSubsetControls() {
  for (Subset kind : {Subset::Groups, Subset::States, Subset::Regions, Subset::Diasporas}) {
    SubsetRow r = row(kind);
    r.all.enabled = false;
    r.subset.enabled = false;
    r.button.enabled = false;
  }
}

void TGenerateForm::set_nonkiv_subset_controls(bool enabled) {
  NonKivGroupAllCheckBox.enabled = enabled;
  NonKivGroupSubsetCheckBox.enabled = enabled;
  NonKivSubsetButton.enabled = enabled;
}

// Control cases exist only for group and state units; for the others the
// controls are shut, but the choice itself is kept.
void TGenerateForm::shut_out_nonkiv_controls() {
  NonKivGroupCheckBox.enabled = false;
  set_nonkiv_subset_controls(false);
}

void TGenerateForm::unit_rule(Subset kind, physical_aggregation_type unit, bool nonkiv_allowed) {
  DisableSubsetControls();
  selections().physical_aggregation = unit;
  SubsetRow r = row(kind);
  r.all.enabled = true;
  r.subset.enabled = true;
  r.button.enabled = true;
  r.all.set_checked(selections().*r.all_flag);
  r.subset.set_checked(!(selections().*r.all_flag));
  if (!nonkiv_allowed) {
    shut_out_nonkiv_controls();
    return;
  }
  NonKivGroupCheckBox.enabled = true;
  set_nonkiv_subset_controls(selections().include_nonkiv_states);
}

void TGenerateForm::PhysGrpButtonClick() {
  unit_rule(Subset::Groups, physical_aggregation_type::PhysGroup, true);
}

void TGenerateForm::PhysStateButtonClick() {
  unit_rule(Subset::States, physical_aggregation_type::PhysState, true);
}

void TGenerateForm::PhysRegionButtonClick() {
  unit_rule(Subset::Regions, physical_aggregation_type::PhysRegion, false);
}

void TGenerateForm::PhysDiasporaButtonClick() {
  unit_rule(Subset::Diasporas, physical_aggregation_type::PhysDiaspora, false);
}

void TGenerateForm::PhysGlobeButtonClick() {
  DisableSubsetControls();
  selections().physical_aggregation = physical_aggregation_type::PhysGlobe;
  shut_out_nonkiv_controls();
}

void TGenerateForm::show_dialog(TGenericListDlg* dialog) {
  if (dialog != nullptr) os().show_modal(*dialog);
}

void TGenerateForm::all_box_changed(Subset kind) {
  SubsetRow r = row(kind);
  if (r.all.checked()) {
    if (r.dialog != nullptr) r.dialog->SelectEverything();
    return;
  }
  if (!r.subset.checked()) r.subset.set_checked(true);
  selections().*r.all_flag = false;
}

void TGenerateForm::subset_box_changed(Subset kind) {
  SubsetRow r = row(kind);
  if (r.subset.checked()) {
    if (r.list_empty(selections())) {
      show_dialog(r.dialog);
      return;
    }
    r.all.set_checked(false);
    selections().*r.all_flag = false;
    return;
  }
  if (!r.all.checked()) r.all.set_checked(true);
  selections().*r.all_flag = true;
}

void TGenerateForm::AllGrpCheckBoxClick() {
  all_box_changed(Subset::Groups);
}

void TGenerateForm::SubsetGrpCheckBoxClick() {
  subset_box_changed(Subset::Groups);
}

void TGenerateForm::GroupSubsetButtonClick() {
  show_dialog(GroupListDlg.get());
}

void TGenerateForm::AllStatesCheckBoxClick() {
  all_box_changed(Subset::States);
}

void TGenerateForm::SubsetStatesCheckBoxClick() {
  subset_box_changed(Subset::States);
}

void TGenerateForm::ChangeStateSubsetButtonClick() {
  show_dialog(KIVCountryListDlg.get());
}

void TGenerateForm::AllRegionCheckBoxClick() {
  all_box_changed(Subset::Regions);
}

void TGenerateForm::SubsetRegionCheckBoxClick() {
  subset_box_changed(Subset::Regions);
}

void TGenerateForm::ChangeRegionSubsetButtonClick() {
  show_dialog(RegionListDlg.get());
}

void TGenerateForm::AllDiasporaCheckBoxClick() {
  all_box_changed(Subset::Diasporas);
}

void TGenerateForm::DiasporaSubsetCheckBoxClick() {
  subset_box_changed(Subset::Diasporas);
}

void TGenerateForm::ChangeDiasporaSubsetButtonClick() {
  show_dialog(DiasporaListDlg.get());
}

void TGenerateForm::NonKivGroupCheckBoxClick() {
  selections().include_nonkiv_states = NonKivGroupCheckBox.checked();
  set_nonkiv_subset_controls(NonKivGroupCheckBox.checked());
}

// The All and Subset boxes of the control states run each other once and
// stop: the second assignment finds the box already set.
void TGenerateForm::NonKivGroupAllCheckBoxClick() {
  selections().all_nonkiv_states = NonKivGroupAllCheckBox.checked();
  NonKivGroupSubsetCheckBox.set_checked(!NonKivGroupAllCheckBox.checked());
}

void TGenerateForm::NonKivGroupSubsetCheckBoxClick() {
  NonKivGroupAllCheckBox.set_checked(!NonKivGroupSubsetCheckBox.checked());
  selections().all_nonkiv_states = NonKivGroupAllCheckBox.checked();
}

void TGenerateForm::NonKivSubsetButtonClick() {
  show_dialog(NonKIVCountryListDlg.get());
}

}  // namespace tandrel
