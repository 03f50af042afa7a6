#include "ui/GenerateForm.h"

#include "diagnostics/OutputWindow.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "ui/AboutBox.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {

TGenerateForm::TGenerateForm() {
  MainFrameState& frame = globals().main_frame;
  frame.Width = 535;
  frame.Height = 576;
  frame.initialized = false;
  for (Control* control : std::initializer_list<Control*>{
           &PhysDiasporaButton, &AllDiasporaCheckBox, &DiasporaSubsetCheckBox,
           &ChangeDiasporaSubsetButton, &StatOutputBox, &SPSSCommandFileCheckBox,
           &StataCommandFileCheckBox, &LIMDEPCommandFileCheckBox, &StataDataFileCheckBox,
           &SPSSDataFileCheckBox})
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
  adopt_page_controls();
  wire_main_settings();
  wire_output_options();
  wire_menus();
}

TGenerateForm::~TGenerateForm() = default;

int TGenerateForm::Width() const {
  return globals().main_frame.Width;
}

int TGenerateForm::Height() const {
  return globals().main_frame.Height;
}

void TGenerateForm::Resize(int width, int height) {
  globals().main_frame.Width = width;
  globals().main_frame.Height = height;
}

bool TGenerateForm::Initialized() const {
  return globals().main_frame.initialized;
}

user_selection_type& TGenerateForm::selections() {
  return *globals().selections;
}

Tuser_data_set_listing_obj& TGenerateForm::description() {
  return *globals().description;
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
  PhysGrpButton.on_click = guarded([this] { PhysGrpButtonClick(); });
  PhysStateButton.on_click = guarded([this] { PhysStateButtonClick(); });
  PhysRegionButton.on_click = guarded([this] { PhysRegionButtonClick(); });
  PhysDiasporaButton.on_click = guarded([this] { PhysDiasporaButtonClick(); });
  PhysGlobeButton.on_click = guarded([this] { PhysGlobeButtonClick(); });
  AllGrpCheckBox.on_click = guarded([this] { AllGrpCheckBoxClick(); });
  SubsetGrpCheckBox.on_click = guarded([this] { SubsetGrpCheckBoxClick(); });
  GroupSubsetButton.on_click = guarded([this] { GroupSubsetButtonClick(); });
  AllStatesCheckBox.on_click = guarded([this] { AllStatesCheckBoxClick(); });
  SubsetStatesCheckBox.on_click = guarded([this] { SubsetStatesCheckBoxClick(); });
  ChangeStateSubsetButton.on_click = guarded([this] { ChangeStateSubsetButtonClick(); });
  AllRegionCheckBox.on_click = guarded([this] { AllRegionCheckBoxClick(); });
  SubsetRegionCheckBox.on_click = guarded([this] { SubsetRegionCheckBoxClick(); });
  ChangeRegionSubsetButton.on_click = guarded([this] { ChangeRegionSubsetButtonClick(); });
  AllDiasporaCheckBox.on_click = guarded([this] { AllDiasporaCheckBoxClick(); });
  DiasporaSubsetCheckBox.on_click = guarded([this] { DiasporaSubsetCheckBoxClick(); });
  ChangeDiasporaSubsetButton.on_click = guarded([this] { ChangeDiasporaSubsetButtonClick(); });
  NonKivGroupCheckBox.on_click = guarded([this] { NonKivGroupCheckBoxClick(); });
  NonKivGroupAllCheckBox.on_click = guarded([this] { NonKivGroupAllCheckBoxClick(); });
  NonKivGroupSubsetCheckBox.on_click = guarded([this] { NonKivGroupSubsetCheckBoxClick(); });
  NonKivSubsetButton.on_click = guarded([this] { NonKivSubsetButtonClick(); });
  TimeAnnualButton.on_click = guarded([this] { TimeAnnualButtonClick(); });
  Time2yrButton.on_click = guarded([this] { Time2yrButtonClick(); });
  Time5yrButton.on_click = guarded([this] { Time5yrButtonClick(); });
  Time10yrButton.on_click = guarded([this] { Time10yrButtonClick(); });
  InterpolateYesButton.on_click = guarded([this] { InterpolateYesButtonClick(); });
  InterpolateNoButton.on_click = guarded([this] { InterpolateNoButtonClick(); });
  LinearInterpCheckBox.on_click = guarded([this] { LinearInterpCheckBoxClick(); });
  CarryforwardInterpCheckBox.on_click = guarded([this] { CarryforwardInterpCheckBoxClick(); });
  IncludeMissingCheckBox.on_click = guarded([this] { IncludeMissingCheckBoxClick(); });
  All_Yrs.on_click = guarded([this] { All_YrsClick(); });
  Specified_Yrs.on_click = guarded([this] { Specified_YrsClick(); });
  SubYear1Edit.on_exit = guarded([this] { SubYear1EditExit(); });
  SubYear2Edit.on_exit = guarded([this] { SubYear2EditExit(); });
}

void TGenerateForm::wire_output_options() {
  ToFileRadioDial.on_click = guarded([this] { ToFileRadioDialClick(); });
  ToScreenRadioDial.on_click = guarded([this] { ToScreenRadioDialClick(); });
  ToPrinterRadioDial.on_click = guarded([this] { ToPrinterRadioDialClick(); });
  FileChangeButton.on_click = guarded([this] { FileChangeButtonClick(); });
  PrintSetupButton.on_click = guarded([this] { PrintSetupButtonClick(); });
  SeparateWithTabs.on_click = guarded([this] { SeparateWithTabsClick(); });
  SeparateWithSpaces.on_click = guarded([this] { SeparateWithSpacesClick(); });
  SeparateWithCommas.on_click = guarded([this] { SeparateWithCommasClick(); });
  SPSSCommandFileCheckBox.on_click = guarded([this] { SPSSCommandFileCheckBoxClick(); });
  StataCommandFileCheckBox.on_click = guarded([this] { StataCommandFileCheckBoxClick(); });
  LIMDEPCommandFileCheckBox.on_click = guarded([this] { LIMDEPCommandFileCheckBoxClick(); });
  StataDataFileCheckBox.on_click = guarded([this] { StataDataFileCheckBoxClick(); });
  SPSSDataFileCheckBox.on_click = guarded([this] { SPSSDataFileCheckBoxClick(); });
  Header.on_click = guarded([this] { HeaderClick(); });
  SelectAllButton.on_click = guarded([this] { SelectAllButtonClick(); });
  UnselectAllButton.on_click = guarded([this] { UnselectAllButtonClick(); });
}

// An item of a disabled menu cannot be chosen: while a run is under way the
// "&File" and "&Create Data Set" menus are shut.
void TGenerateForm::wire_menus() {
  CreateDataSetButton.on_click = guarded([this] { CreateDataSetButtonClick(); });
  ExitBtn.on_click = guarded([this] { ExitBtnClick(); });
  auto in_menu = [](const Control& menu, auto handler) {
    return [&menu, handler] {
      if (menu.enabled) handler();
    };
  };
  Exit1.on_click = guarded(in_menu(FileMenu, [this] { Exit1Click(); }));
  LoadSettings1.on_click = guarded(in_menu(FileMenu, [this] { LoadSettings1Click(); }));
  SaveSettings1.on_click = guarded(in_menu(FileMenu, [this] { SaveSettings1Click(); }));
  CreateNow1.on_click = guarded(in_menu(CreateDataSetMenu, [this] { CreateNow1Click(); }));
  ShowOutputWindow1.on_click =
      guarded(in_menu(CreateDataSetMenu, [this] { ShowOutputWindow1Click(); }));
  TraceOnMenuItem.on_click = guarded([this] { TraceOnMenuItemClick(); });
  TraceOffMenuItem.on_click = guarded([this] { TraceOffMenuItemClick(); });
  KivoraDocumentation1.on_click = guarded([this] { KivoraDocumentation1Click(); });
  TandrelQuickstartGuide1.on_click = guarded([this] { TandrelQuickstartGuide1Click(); });
  Documentation1.on_click = guarded([this] { Documentation1Click(); });
  About1.on_click = guarded([this] { About1Click(); });
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
      std::make_unique<TAboutBox>(globals().description.get(), globals().configuration.web_address);
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

// The shell's answer is not examined: a document that is missing shows
// whatever the desktop shows for it, and nothing from Tandrel.
void TGenerateForm::KivoraDocumentation1Click() {
  os().shell_open(globals().configuration.kiv_linked_doc_file_name);
}

void TGenerateForm::TandrelQuickstartGuide1Click() {
  os().shell_open(globals().configuration.tandrel_quickstart_file_name);
}

void TGenerateForm::Documentation1Click() {
  os().shell_open(globals().configuration.tandrel_doc_file_name);
}

void TGenerateForm::About1Click() {
  if (!AboutBox) CreateAboutBox();
  AboutBox->show();
}

}  // namespace tandrel
