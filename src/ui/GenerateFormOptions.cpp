// The time unit, interpolation, year range and output options of the main
// window.

#include <string>

#include "process/Globals.h"
#include "reference/Convert.h"
#include "reference/DataSetListing.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

constexpr int kDataSet = 0;

constexpr const char* kOutputFileFilter =
    "Comma-Separated-Variable files (*.CSV)|*.CSV|Output files (*.OUT)|*.OUT|Text files "
    "(*.TXT)|*.TXT|All files (*.*)|*.*";

// A year edit holds four digits; blanks or anything else count as 0.
int edit_year(const EditControl& edit) {
  return try_str_to_int(edit.text).value_or(0);
}

std::string years_between(int first, int last) {
  return " must be between " + std::to_string(first) + " and " + std::to_string(last) +
         ".  Please enter a new value.";
}

constexpr const char* kYearOrder =
    "First year of selection must be less than or equal to final year of selection.  Please "
    "enter a new value.";

// The extension of the file-name part of `name`, dot included; empty when
// the file-name part has no dot.
std::string extension_of(const std::string& name) {
  const std::string delimiters = std::string("/") + os().path_delimiter();
  const std::size_t slash = name.find_last_of(delimiters);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return name.substr(dot);
}

}  // namespace

void TGenerateForm::set_time_unit(temporal_aggregation_type unit) {
  selections().temporal_aggregation = unit;
  OfferVariables();
}

void TGenerateForm::TimeAnnualButtonClick() {
  set_time_unit(temporal_aggregation_type::TimeAnnual);
}

void TGenerateForm::Time2yrButtonClick() {
  set_time_unit(temporal_aggregation_type::Time2yr);
}

void TGenerateForm::Time5yrButtonClick() {
  set_time_unit(temporal_aggregation_type::Time5yr);
}

void TGenerateForm::Time10yrButtonClick() {
  set_time_unit(temporal_aggregation_type::Time10yr);
}

void TGenerateForm::InterpolateYesButtonClick() {
  user_selection_type& s = selections();
  s.interpolate = true;
  LinearInterpCheckBox.enabled = true;
  CarryforwardInterpCheckBox.enabled = true;
  IncludeMissingCheckBox.enabled = false;
  LinearInterpCheckBox.set_checked(s.interpolation_method ==
                                   interpolation_method_type::InterpLinear);
  CarryforwardInterpCheckBox.set_checked(s.interpolation_method ==
                                         interpolation_method_type::InterpCarryForward);
  OfferVariables();
}

// While interpolation is on, output_missing_cases keeps its value although
// its box is disabled.
void TGenerateForm::InterpolateNoButtonClick() {
  user_selection_type& s = selections();
  s.interpolate = false;
  LinearInterpCheckBox.enabled = false;
  CarryforwardInterpCheckBox.enabled = false;
  IncludeMissingCheckBox.enabled = true;
  IncludeMissingCheckBox.set_checked(s.output_missing_cases);
  OfferVariables();
}

// Linear and Carry Forward act as a pair of which exactly one is checked.
void TGenerateForm::LinearInterpCheckBoxClick() {
  const bool linear = LinearInterpCheckBox.checked();
  selections().interpolation_method = linear ? interpolation_method_type::InterpLinear
                                             : interpolation_method_type::InterpCarryForward;
  CarryforwardInterpCheckBox.set_checked(!linear);
}

void TGenerateForm::CarryforwardInterpCheckBoxClick() {
  const bool carry = CarryforwardInterpCheckBox.checked();
  selections().interpolation_method = carry ? interpolation_method_type::InterpCarryForward
                                            : interpolation_method_type::InterpLinear;
  LinearInterpCheckBox.set_checked(!carry);
}

void TGenerateForm::IncludeMissingCheckBoxClick() {
  selections().output_missing_cases = IncludeMissingCheckBox.checked();
}

void TGenerateForm::All_YrsClick() {
  selections().first_year = description().get_first_year_possible(kDataSet);
  selections().last_year = description().get_last_year_possible(kDataSet);
  for (Control* control :
       std::initializer_list<Control*>{&FromLabel, &ToLabel, &SubYear1Edit, &SubYear2Edit})
    control->enabled = false;
}

void TGenerateForm::Specified_YrsClick() {
  for (Control* control :
       std::initializer_list<Control*>{&FromLabel, &ToLabel, &SubYear1Edit, &SubYear2Edit})
    control->enabled = true;
}

// Both checks can fire on one exit, each with its own message; a year the
// record cannot hold raises ERangeError and leaves the field as it was.
void TGenerateForm::SubYear1EditExit() {
  const int first = description().get_first_year_possible(kDataSet);
  const int last = description().get_last_year_possible(kDataSet);
  const int y1 = edit_year(SubYear1Edit);
  const int y2 = edit_year(SubYear2Edit);
  if (y1 < first || y1 > last) {
    os().message_box("First year of selection" + years_between(first, last));
    SubYear1Edit.text = std::to_string(first);
  }
  if (y2 < y1) {
    os().message_box(kYearOrder);
    SubYear1Edit.text = std::to_string(first);
  }
  selections().first_year = year_type(edit_year(SubYear1Edit));
}

void TGenerateForm::SubYear2EditExit() {
  const int first = description().get_first_year_possible(kDataSet);
  const int last = description().get_last_year_possible(kDataSet);
  const int y1 = edit_year(SubYear1Edit);
  const int y2 = edit_year(SubYear2Edit);
  if (y2 < first || y2 > last) {
    os().message_box("Final year of selection" + years_between(first, last));
    SubYear2Edit.text = std::to_string(last);
  }
  if (y2 < y1) {
    os().message_box(kYearOrder);
    SubYear2Edit.text = std::to_string(last);
  }
  selections().last_year = year_type(edit_year(SubYear2Edit));
}

void TGenerateForm::set_command_file_controls(bool enabled) {
  for (Control* control : std::initializer_list<Control*>{
           &StatOutputBox, &SPSSCommandFileCheckBox, &StataCommandFileCheckBox,
           &LIMDEPCommandFileCheckBox, &StataDataFileCheckBox, &SPSSDataFileCheckBox,
           &CodebookCheckBox})
    control->enabled = enabled;
}

// Whatever the file dialog's outcome, "To File:" shows selected and the
// command files can be chosen; the destination changes only when a file was
// chosen.
void TGenerateForm::ToFileRadioDialClick() {
  if (selections().output_format.destination != output_destination_type::DestFile)
    FileChangeButtonClick();
  set_command_file_controls(true);
}

void TGenerateForm::ToScreenRadioDialClick() {
  selections().output_format.destination = output_destination_type::DestScreen;
  set_command_file_controls(false);
}

void TGenerateForm::ToPrinterRadioDialClick() {
  selections().output_format.destination = output_destination_type::DestPrinter;
  set_command_file_controls(false);
}

// Statistical software reads a data file by its extension, so a name
// without one gets ".raw"; any other extension is taken as it is.
void TGenerateForm::FileChangeButtonClick() {
  output_format_type& format = selections().output_format;
  platform::SaveFileRequest request{kOutputFileFilter, format.output_file_name, true};
  std::optional<std::string> chosen = os().save_file_dialog(request);
  if (!chosen) return;
  std::string name = *chosen;
  const std::string extension = extension_of(name);
  if (extension.empty() || extension == ".") {
    name = name.substr(0, name.size() - extension.size()) + ".raw";
    os().message_box(
        "Your output data file must have a 3 character extension (like \".csv\" \".out\" "
        "\".dat\" or \".raw\") to ensure proper reading by statistical software.  Tandrel has "
        "renamed your output file to " +
        name);
  }
  // The dialog itself asked before an existing file was chosen; Go does not
  // ask a second time.
  if (name == *chosen && os().file_exists(name)) written_files_.add(name);
  format.file_name_chosen = true;
  format.output_file_name = name;
  FileDisplay.text = name;
  format.destination = output_destination_type::DestFile;
  ToFileRadioDial.set_checked(true);
}

void TGenerateForm::PrintSetupButtonClick() {
  os().printer_setup_dialog();
}

void TGenerateForm::SeparateWithTabsClick() {
  selections().output_format.separator = separator_type::SepTab;
}

void TGenerateForm::SeparateWithSpacesClick() {
  selections().output_format.separator = separator_type::SepSpace;
}

void TGenerateForm::SeparateWithCommasClick() {
  selections().output_format.separator = separator_type::SepComma;
}

void TGenerateForm::set_command_file(CheckBoxControl& box, command_file_type type) {
  command_file_set& files = selections().output_format.command_files;
  if (box.checked())
    files.include(type);
  else
    files.exclude(type);
}

void TGenerateForm::set_native_file(CheckBoxControl& box, native_file_type type) {
  native_file_set& files = selections().output_format.native_files;
  if (box.checked())
    files.include(type);
  else
    files.exclude(type);
}

void TGenerateForm::SPSSCommandFileCheckBoxClick() {
  set_command_file(SPSSCommandFileCheckBox, command_file_type::CmdSPSS);
}

void TGenerateForm::StataCommandFileCheckBoxClick() {
  set_command_file(StataCommandFileCheckBox, command_file_type::CmdStata);
}

void TGenerateForm::LIMDEPCommandFileCheckBoxClick() {
  set_command_file(LIMDEPCommandFileCheckBox, command_file_type::CmdLIMDEP);
}

void TGenerateForm::StataDataFileCheckBoxClick() {
  set_native_file(StataDataFileCheckBox, native_file_type::NativeDta);
}

void TGenerateForm::SPSSDataFileCheckBoxClick() {
  set_native_file(SPSSDataFileCheckBox, native_file_type::NativeSav);
}

void TGenerateForm::HeaderClick() {
  selections().output_format.header_line = Header.checked();
}

}  // namespace tandrel
