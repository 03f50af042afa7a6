// Selections to and from the main window. ShowSelections works through the
// controls: every flag it changes runs that control's rule as a click
// would, and those rules write the process's selections record. Only the
// variable boxes are read back later, when a run starts or the settings are
// saved.

#include "process/Globals.h"
#include "reference/Convert.h"
#include "reference/DataSetListing.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

constexpr int kDataSet = 0;

}  // namespace

void TGenerateForm::show_unit(const user_selection_type& shown) {
  using P = physical_aggregation_type;
  auto show = [](RadioButtonControl& unit, CheckBoxControl& all, CheckBoxControl& subset,
                 bool all_items) {
    unit.set_checked(true);
    all.set_checked(all_items);
    subset.set_checked(!all_items);
  };
  switch (shown.physical_aggregation) {
    case P::PhysGroup:
      show(PhysGrpButton, AllGrpCheckBox, SubsetGrpCheckBox, shown.all_groups);
      break;
    case P::PhysState:
      show(PhysStateButton, AllStatesCheckBox, SubsetStatesCheckBox, shown.all_states);
      break;
    case P::PhysRegion:
      show(PhysRegionButton, AllRegionCheckBox, SubsetRegionCheckBox, shown.all_regions);
      break;
    case P::PhysGlobe:
      PhysGlobeButton.set_checked(true);
      break;
    case P::PhysDiaspora:
      show(PhysDiasporaButton, AllDiasporaCheckBox, DiasporaSubsetCheckBox, shown.all_diasporas);
      break;
  }
}

// The control-state boxes show the record whatever the unit; the box that
// includes control cases keeps the enabled state the unit gave it.
void TGenerateForm::show_nonkiv(const user_selection_type& shown) {
  NonKivGroupCheckBox.set_checked(shown.include_nonkiv_states);
  NonKivGroupAllCheckBox.set_checked(shown.all_nonkiv_states);
  NonKivGroupSubsetCheckBox.set_checked(!shown.all_nonkiv_states);
  set_nonkiv_subset_controls(shown.include_nonkiv_states);
}

void TGenerateForm::show_years(const user_selection_type& shown,
                               const Tuser_data_set_listing_obj& description) {
  const int first = description.get_first_year_possible(kDataSet);
  const int last = description.get_last_year_possible(kDataSet);
  SubYear1Edit.text = std::to_string(shown.first_year);
  SubYear2Edit.text = std::to_string(shown.last_year);
  SubYear1Edit.hint = "First KIV Data is available in " + std::to_string(first);
  SubYear2Edit.hint = "Last KIV Data is available in " + std::to_string(last);
  const int y1 = try_str_to_int(SubYear1Edit.text).value_or(0);
  const int y2 = try_str_to_int(SubYear2Edit.text).value_or(0);
  if (y1 == first && y2 == last)
    All_Yrs.set_checked(true);
  else
    Specified_Yrs.set_checked(true);
}

// A destination byte the record cannot name checks no destination button.
void TGenerateForm::show_output(const user_selection_type& shown) {
  using D = output_destination_type;
  using S = separator_type;
  const output_format_type& format = shown.output_format;
  FileDisplay.text = format.output_file_name;
  ToScreenRadioDial.set_checked(format.destination == D::DestScreen);
  ToPrinterRadioDial.set_checked(format.destination == D::DestPrinter);
  ToFileRadioDial.set_checked(format.destination == D::DestFile);
  SeparateWithTabs.set_checked(format.separator == S::SepTab);
  SeparateWithSpaces.set_checked(format.separator == S::SepSpace);
  SeparateWithCommas.set_checked(format.separator == S::SepComma);
  SPSSCommandFileCheckBox.set_checked(format.command_files.contains(command_file_type::CmdSPSS));
  LIMDEPCommandFileCheckBox.set_checked(
      format.command_files.contains(command_file_type::CmdLIMDEP));
  StataCommandFileCheckBox.set_checked(format.command_files.contains(command_file_type::CmdStata));
  StataDataFileCheckBox.set_checked(format.native_files.contains(native_file_type::NativeDta));
  SPSSDataFileCheckBox.set_checked(format.native_files.contains(native_file_type::NativeSav));
  CodebookCheckBox.set_checked(format.codebook);
  ProvenanceCheckBox.set_checked(format.provenance_columns);
  Header.set_checked(format.header_line);
}

// Identifier variables are always output, so their boxes show checked even
// when the record does not list them; "diaspora" is never offered.
void TGenerateForm::show_variables(const user_selection_type& shown,
                                   const Tuser_data_set_listing_obj& description) {
  for (VariableBox& box : VarCheckBoxes) {
    const std::string& name = description.get_var_name(kDataSet, box.variable);
    box.checked = is_identifier_variable(name) || column_selected(shown, box.variable);
    if (name == "diaspora") {
      box.checked = false;
      box.enabled = false;
    }
  }
}

void TGenerateForm::ShowSelections(user_selection_type shown,
                                   const Tuser_data_set_listing_obj& description) {
  announce([&] { show_selections(shown, description); });
}

void TGenerateForm::show_selections(const user_selection_type& shown,
                                    const Tuser_data_set_listing_obj& description) {
  for (Control* control :
       std::initializer_list<Control*>{&PhysDiasporaButton, &AllDiasporaCheckBox,
                                       &DiasporaSubsetCheckBox, &ChangeDiasporaSubsetButton})
    control->enabled = false;
  show_unit(shown);
  show_nonkiv(shown);
  switch (shown.temporal_aggregation) {
    case temporal_aggregation_type::TimeAnnual:
      TimeAnnualButton.set_checked(true);
      break;
    case temporal_aggregation_type::Time2yr:
      Time2yrButton.set_checked(true);
      break;
    case temporal_aggregation_type::Time5yr:
      Time5yrButton.set_checked(true);
      break;
    case temporal_aggregation_type::Time10yr:
      Time10yrButton.set_checked(true);
      break;
  }
  (shown.interpolate ? InterpolateYesButton : InterpolateNoButton).set_checked(true);
  OfferVariables();
  show_years(shown, description);
  show_output(shown);
  show_variables(shown, description);
}

void TGenerateForm::ReadVariableSelections() {
  read_variable_selections(VarCheckBoxes, selections());
}

}  // namespace tandrel
