#include "ui/GenerateForm.h"

#include "diagnostics/OutputWindow.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "ui/AboutBox.h"
#include "ui/DescribeDataSet.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {

TGenerateForm::TGenerateForm(Session& session) : session_(session) {
  MainFrameState& frame = *session_.main_frame;
  frame.Width = 535;
  frame.Height = 576;
  frame.initialized = false;
  for (Control* control : std::initializer_list<Control*>{
           &PhysDiasporaButton, &AllDiasporaCheckBox, &DiasporaSubsetCheckBox,
           &ChangeDiasporaSubsetButton, &StatOutputBox, &SPSSCommandFileCheckBox,
           &StataCommandFileCheckBox, &LIMDEPCommandFileCheckBox, &StataDataFileCheckBox,
           &SPSSDataFileCheckBox, &CodebookCheckBox})
    control->enabled = false;
  for (EditControl* year : {&SubYear1Edit, &SubYear2Edit}) {
    year->edit_mask = "0000;1;_";
    year->max_length = 4;
  }
  FileDisplay.read_only = true;
  FileDisplay.tab_stop = false;
  VarTabs.multi_line = true;
  TraceOffMenuItem.checked = true;
  set_hints();
  wire_main_settings();
  wire_output_options();
  wire_menus();
  VarTabs.parent = &SelectionTabs;
}

TGenerateForm::~TGenerateForm() = default;

int TGenerateForm::Width() const {
  return session_.main_frame->Width;
}

int TGenerateForm::Height() const {
  return session_.main_frame->Height;
}

void TGenerateForm::Resize(int width, int height) {
  session_.main_frame->Width = width;
  session_.main_frame->Height = height;
}

bool TGenerateForm::Initialized() const {
  return session_.main_frame->initialized;
}

user_selection_type& TGenerateForm::selections() const {
  return *session_.selections;
}

Tuser_data_set_listing_obj& TGenerateForm::description() const {
  return *session_.description;
}

void TGenerateForm::set_hints() {
  PhysGrpButton.hint = "Each output case will be one KIV group.";
  PhysStateButton.hint =
      "Each output case will be one state; the groups within a state are aggregated.";
  PhysRegionButton.hint = "Each output case will be one world region.";
  PhysDiasporaButton.hint = "Each output case will be one diaspora.";
  PhysGlobeButton.hint =
      "Each output case will be the whole international system at one point in time.";
  NonKivGroupCheckBox.hint =
      "The output will also hold entries for states without KIV groups, with missing values for "
      "all variables.";
  NonKivGroupAllCheckBox.hint = "All state-years of states without KIV groups will be output.";
  NonKivGroupSubsetCheckBox.hint =
      "Only the state-years of a chosen subset of states without KIV groups will be output.";
  NonKivSubsetButton.hint = "Choose the subset of states without KIV groups.";
  const char* interval =
      "  Without interpolation, only variables measured by the KIV project at that interval are "
      "available.";
  TimeAnnualButton.hint = std::string("One case will be output per year.") + interval;
  Time2yrButton.hint = std::string("One case will be output per two-year period.") + interval;
  Time5yrButton.hint = std::string("One case will be output per five-year period.") + interval;
  Time10yrButton.hint = std::string("One case will be output per ten-year period.") + interval;
  LinearInterpCheckBox.hint =
      "Interpolated values will be computed using simple linear interpolation between adjacent "
      "non-missing data points";
  CarryforwardInterpCheckBox.hint =
      "Interpolated values will be computed by carrying forward the most recent non-missing data "
      "value until a new value is observed";
  InterpolateNoButton.hint =
      "If checked, missing data points will NOT be filled in by interpolation, but will contain a "
      "missing value code";
  IncludeMissingCheckBox.hint =
      "If checked, all years in which a KIV group existed are output, even if all its values are "
      "missing.  If not checked, these years are omitted.";
}

void TGenerateForm::wire_main_settings() {
  reg("PhysGrpButton", PhysGrpButton, &SelectionTabs, &TGenerateForm::PhysGrpButtonClick);
  reg("PhysStateButton", PhysStateButton, &SelectionTabs, &TGenerateForm::PhysStateButtonClick);
  reg("PhysRegionButton", PhysRegionButton, &SelectionTabs, &TGenerateForm::PhysRegionButtonClick);
  reg("PhysDiasporaButton", PhysDiasporaButton, &SelectionTabs,
      &TGenerateForm::PhysDiasporaButtonClick);
  reg("PhysGlobeButton", PhysGlobeButton, &SelectionTabs, &TGenerateForm::PhysGlobeButtonClick);
  reg("AllGrpCheckBox", AllGrpCheckBox, &SelectionTabs, &TGenerateForm::AllGrpCheckBoxClick);
  reg("SubsetGrpCheckBox", SubsetGrpCheckBox, &SelectionTabs,
      &TGenerateForm::SubsetGrpCheckBoxClick);
  reg("GroupSubsetButton", GroupSubsetButton, &SelectionTabs,
      &TGenerateForm::GroupSubsetButtonClick);
  reg("AllStatesCheckBox", AllStatesCheckBox, &SelectionTabs,
      &TGenerateForm::AllStatesCheckBoxClick);
  reg("SubsetStatesCheckBox", SubsetStatesCheckBox, &SelectionTabs,
      &TGenerateForm::SubsetStatesCheckBoxClick);
  reg("ChangeStateSubsetButton", ChangeStateSubsetButton, &SelectionTabs,
      &TGenerateForm::ChangeStateSubsetButtonClick);
  reg("AllRegionCheckBox", AllRegionCheckBox, &SelectionTabs,
      &TGenerateForm::AllRegionCheckBoxClick);
  reg("SubsetRegionCheckBox", SubsetRegionCheckBox, &SelectionTabs,
      &TGenerateForm::SubsetRegionCheckBoxClick);
  reg("ChangeRegionSubsetButton", ChangeRegionSubsetButton, &SelectionTabs,
      &TGenerateForm::ChangeRegionSubsetButtonClick);
  reg("AllDiasporaCheckBox", AllDiasporaCheckBox, &SelectionTabs,
      &TGenerateForm::AllDiasporaCheckBoxClick);
  reg("DiasporaSubsetCheckBox", DiasporaSubsetCheckBox, &SelectionTabs,
      &TGenerateForm::DiasporaSubsetCheckBoxClick);
  reg("ChangeDiasporaSubsetButton", ChangeDiasporaSubsetButton, &SelectionTabs,
      &TGenerateForm::ChangeDiasporaSubsetButtonClick);
  reg("NonKivGroupCheckBox", NonKivGroupCheckBox, &SelectionTabs,
      &TGenerateForm::NonKivGroupCheckBoxClick);
  reg("NonKivGroupAllCheckBox", NonKivGroupAllCheckBox, &SelectionTabs,
      &TGenerateForm::NonKivGroupAllCheckBoxClick);
  reg("NonKivGroupSubsetCheckBox", NonKivGroupSubsetCheckBox, &SelectionTabs,
      &TGenerateForm::NonKivGroupSubsetCheckBoxClick);
  reg("NonKivSubsetButton", NonKivSubsetButton, &SelectionTabs,
      &TGenerateForm::NonKivSubsetButtonClick);
  reg("TimeAnnualButton", TimeAnnualButton, &SelectionTabs, &TGenerateForm::TimeAnnualButtonClick);
  reg("Time2yrButton", Time2yrButton, &SelectionTabs, &TGenerateForm::Time2yrButtonClick);
  reg("Time5yrButton", Time5yrButton, &SelectionTabs, &TGenerateForm::Time5yrButtonClick);
  reg("Time10yrButton", Time10yrButton, &SelectionTabs, &TGenerateForm::Time10yrButtonClick);
  reg("InterpolateYesButton", InterpolateYesButton, &SelectionTabs,
      &TGenerateForm::InterpolateYesButtonClick);
  reg("InterpolateNoButton", InterpolateNoButton, &SelectionTabs,
      &TGenerateForm::InterpolateNoButtonClick);
  reg("LinearInterpCheckBox", LinearInterpCheckBox, &SelectionTabs,
      &TGenerateForm::LinearInterpCheckBoxClick);
  reg("CarryforwardInterpCheckBox", CarryforwardInterpCheckBox, &SelectionTabs,
      &TGenerateForm::CarryforwardInterpCheckBoxClick);
  reg("IncludeMissingCheckBox", IncludeMissingCheckBox, &SelectionTabs,
      &TGenerateForm::IncludeMissingCheckBoxClick);
  reg("All_Yrs", All_Yrs, &SelectionTabs, &TGenerateForm::All_YrsClick);
  reg("Specified_Yrs", Specified_Yrs, &SelectionTabs, &TGenerateForm::Specified_YrsClick);
  reg("SubYear1Edit", SubYear1Edit, &SelectionTabs, &TGenerateForm::SubYear1EditExit);
  reg("SubYear2Edit", SubYear2Edit, &SelectionTabs, &TGenerateForm::SubYear2EditExit);
}

void TGenerateForm::wire_output_options() {
  reg("ToFileRadioDial", ToFileRadioDial, &SelectionTabs, &TGenerateForm::ToFileRadioDialClick);
  reg("ToScreenRadioDial", ToScreenRadioDial, &SelectionTabs,
      &TGenerateForm::ToScreenRadioDialClick);
  reg("ToPrinterRadioDial", ToPrinterRadioDial, &SelectionTabs,
      &TGenerateForm::ToPrinterRadioDialClick);
  reg("FileDisplay", FileDisplay, &SelectionTabs, nullptr);
  reg("FileChangeButton", FileChangeButton, &SelectionTabs, &TGenerateForm::FileChangeButtonClick);
  reg("PrintSetupButton", PrintSetupButton, &SelectionTabs, &TGenerateForm::PrintSetupButtonClick);
  reg("SeparateWithTabs", SeparateWithTabs, &SelectionTabs, &TGenerateForm::SeparateWithTabsClick);
  reg("SeparateWithSpaces", SeparateWithSpaces, &SelectionTabs,
      &TGenerateForm::SeparateWithSpacesClick);
  reg("SeparateWithCommas", SeparateWithCommas, &SelectionTabs,
      &TGenerateForm::SeparateWithCommasClick);
  reg("SPSSCommandFileCheckBox", SPSSCommandFileCheckBox, &SelectionTabs,
      &TGenerateForm::SPSSCommandFileCheckBoxClick);
  reg("StataCommandFileCheckBox", StataCommandFileCheckBox, &SelectionTabs,
      &TGenerateForm::StataCommandFileCheckBoxClick);
  reg("LIMDEPCommandFileCheckBox", LIMDEPCommandFileCheckBox, &SelectionTabs,
      &TGenerateForm::LIMDEPCommandFileCheckBoxClick);
  reg("StataDataFileCheckBox", StataDataFileCheckBox, &SelectionTabs,
      &TGenerateForm::StataDataFileCheckBoxClick);
  reg("SPSSDataFileCheckBox", SPSSDataFileCheckBox, &SelectionTabs,
      &TGenerateForm::SPSSDataFileCheckBoxClick);
  reg("CodebookCheckBox", CodebookCheckBox, &SelectionTabs, &TGenerateForm::CodebookCheckBoxClick);
  reg("ProvenanceCheckBox", ProvenanceCheckBox, &SelectionTabs,
      &TGenerateForm::ProvenanceCheckBoxClick);
  reg("Header", Header, &SelectionTabs, &TGenerateForm::HeaderClick);
  reg("SelectAllButton", SelectAllButton, &SelectionTabs, &TGenerateForm::SelectAllButtonClick);
  reg("UnselectAllButton", UnselectAllButton, &SelectionTabs,
      &TGenerateForm::UnselectAllButtonClick);
}

// An item of a disabled menu cannot be chosen: while a run is under way the
// "&File" and "&Create Data Set" menus are shut.
void TGenerateForm::wire_menus() {
  reg("CreateDataSetButton", CreateDataSetButton, nullptr,
      &TGenerateForm::CreateDataSetButtonClick);
  reg("ExitBtn", ExitBtn, nullptr, &TGenerateForm::ExitBtnClick);
  reg("Exit1", Exit1, &FileMenu, &TGenerateForm::Exit1Click);
  reg("LoadSettings1", LoadSettings1, &FileMenu, &TGenerateForm::LoadSettings1Click);
  reg("SaveSettings1", SaveSettings1, &FileMenu, &TGenerateForm::SaveSettings1Click);
  reg("OpenSettings1", OpenSettings1, &FileMenu, &TGenerateForm::OpenSettings1Click);
  reg("SaveSettingsAs1", SaveSettingsAs1, &FileMenu, &TGenerateForm::SaveSettingsAs1Click);
  reg("CreateNow1", CreateNow1, &CreateDataSetMenu, &TGenerateForm::CreateNow1Click);
  reg("ShowOutputWindow1", ShowOutputWindow1, &CreateDataSetMenu,
      &TGenerateForm::ShowOutputWindow1Click);
  reg("DescribeDataSet1", DescribeDataSet1, &CreateDataSetMenu,
      &TGenerateForm::DescribeDataSet1Click);
  reg("TraceOnMenuItem", TraceOnMenuItem, nullptr, &TGenerateForm::TraceOnMenuItemClick);
  reg("TraceOffMenuItem", TraceOffMenuItem, nullptr, &TGenerateForm::TraceOffMenuItemClick);
  reg("KivoraDocumentation1", KivoraDocumentation1, nullptr,
      &TGenerateForm::KivoraDocumentation1Click);
  reg("TandrelQuickstartGuide1", TandrelQuickstartGuide1, nullptr,
      &TGenerateForm::TandrelQuickstartGuide1Click);
  reg("Documentation1", Documentation1, nullptr, &TGenerateForm::Documentation1Click);
  reg("About1", About1, nullptr, &TGenerateForm::About1Click);
}

void TGenerateForm::CreateSubsetDialogs() {
  KIVCountryListDlg = std::make_unique<TKIVCountryListDlg>(*this);
  NonKIVCountryListDlg = std::make_unique<TNonKIVCountryListDlg>(*this);
  GroupListDlg = std::make_unique<TGroupListDlg>(*this);
  RegionListDlg = std::make_unique<TRegionListDlg>(*this);
  DiasporaListDlg = std::make_unique<TDiasporaListDlg>(*this);
}

void TGenerateForm::CreateAboutBox() {
  AboutBox =
      std::make_unique<TAboutBox>(session_.description.get(), globals().configuration.web_address);
}

void TGenerateForm::ExitBtnClick() {
  close_requested = true;
}

void TGenerateForm::Exit1Click() {
  close_requested = true;
}

void TGenerateForm::TraceOnMenuItemClick() {
  TraceOnMenuItem.checked = true;
  TraceOffMenuItem.checked = false;
  if (globals().trace_window) globals().trace_window->show();
}

void TGenerateForm::TraceOffMenuItemClick() {
  TraceOnMenuItem.checked = false;
  TraceOffMenuItem.checked = true;
  if (globals().trace_window) globals().trace_window->hide();
}

void TGenerateForm::ShowOutputWindow1Click() {
  if (globals().output_window) globals().output_window->show();
}

// A help page that is not there is said, with the path where it was
// looked for, so the user can find it or tell whoever installed Tandrel; a
// missing page once did nothing at all. A web address goes to the shell as
// it is.
void open_help_page(const std::string& page) {
  if (page.find("://") == std::string::npos && !os().file_exists(page)) {
    os().message_box(help_page_missing_text(page), platform::MessageKind::Warning);
    return;
  }
  os().shell_open(page);
}

std::string help_page_missing_text(const std::string& page) {
  return "The help page cannot be opened: there is no file " + page + ".";
}

void TGenerateForm::KivoraDocumentation1Click() {
  open_help_page(globals().configuration.kiv_linked_doc_file_name);
}

void TGenerateForm::TandrelQuickstartGuide1Click() {
  open_help_page(globals().configuration.tandrel_quickstart_file_name);
}

void TGenerateForm::Documentation1Click() {
  open_help_page(globals().configuration.tandrel_doc_file_name);
}

void TGenerateForm::About1Click() {
  if (!AboutBox) CreateAboutBox();
  AboutBox->show();
}

}  // namespace tandrel
