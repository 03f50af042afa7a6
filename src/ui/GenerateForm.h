#pragma once

// TGenerateForm: the main window as a model. It holds every control of the
// window (enabled, checked, texts), keeps them consistent by its selection
// rules, and writes its session's user selections record the moment a
// control changes. A desktop front end mirrors the controls and forwards
// the user's clicks to the controls' click() (or to the handlers below).
//
// Every wired handler runs guarded: no exception leaves a click, and the
// front end reads end_requested() after the call. `changed` is emitted once
// when the outermost handler returns (a rule that sets another control runs
// inside it), so a mirror re-reads every control then. The model belongs to
// the main thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics/ControlRegistry.h"
#include "process/Signal.h"
#include "reference/Selections.h"
#include "reference/Session.h"
#include "reference/VariableRules.h"
#include "run/CreationRun.h"
#include "ui/FormControls.h"
#include "ui/ReplaceQuestion.h"
#include "ui/VariableTabs.h"

namespace tandrel {

class Tuser_data_set_listing_obj;
class TGenericListDlg;
class TKIVCountryListDlg;
class TNonKIVCountryListDlg;
class TGroupListDlg;
class TRegionListDlg;
class TDiasporaListDlg;
class TAboutBox;
class TDescribeDataSetDlg;
class SessionMemory;

class TGenerateForm {
 public:
  // Sets the session's main frame to the window's size and marks it not yet
  // initialised. The window works on `session`, which its
  // creator owns and keeps alive for the window's life; Go and the dialogs
  // get it from the window.
  explicit TGenerateForm(Session& session);
  ~TGenerateForm();
  TGenerateForm(const TGenerateForm&) = delete;
  TGenerateForm& operator=(const TGenerateForm&) = delete;

  // What the window works on; Go and the dialogs reach it through here.
  Session& session() const { return session_; }

  std::string Caption = "Tandrel";
  int Width() const;
  int Height() const;
  void Resize(int width, int height);
  // Set at the end of start-up; the progress windows read it.
  bool Initialized() const;
  // Set by Exit: the front end closes the window and the program shuts down.
  bool close_requested = false;

  // --- What a mirror follows ---
  Signal<> changed;
  // Every control of the pages and menus, registered where it is wired.
  ControlRegistry Controls;
  // True while Go runs: the pages and the menus take no clicks, and the
  // window must not close (the run pumps messages and uses the model).
  bool Running() const { return running_; }
  bool CanClose() const { return !running_; }
  // The exit status when a handler ended the program (Abort in the error
  // dialog gives 3); the front end ends it after the call returned.
  std::optional<int> end_requested() const { return end_requested_; }
  // Runs `handler` as one user action: guarded when outermost, followed by
  // one `changed`. Nested calls run the handler plainly.
  void run_handler(const std::function<void()>& handler);

  PageControl SelectionTabs;
  Control MainSettingsTab{"&Main Settings"};
  Control OutputOptionsTab{"&Output Options"};
  Control VarTab{"&Variables"};
  ButtonControl CreateDataSetButton{"&Go!  Create Data Set Now"};
  ButtonControl ExitBtn{"E&xit Tandrel"};

  // --- Main settings: physical aggregation ---
  Control PhysicalAggregationGroupBox{" Physical Aggregation "};
  RadioGroup PhysicalAggregationRadios;
  RadioButtonControl PhysGrpButton{PhysicalAggregationRadios, "Group"};
  RadioButtonControl PhysStateButton{PhysicalAggregationRadios, "State"};
  RadioButtonControl PhysRegionButton{PhysicalAggregationRadios, "Region"};
  RadioButtonControl PhysDiasporaButton{PhysicalAggregationRadios, "Diaspora"};
  RadioButtonControl PhysGlobeButton{PhysicalAggregationRadios, "Globe"};
  CheckBoxControl AllGrpCheckBox{"All Groups"};
  CheckBoxControl SubsetGrpCheckBox{"Subset of Groups"};
  ButtonControl GroupSubsetButton{"Specify Subset..."};
  CheckBoxControl AllStatesCheckBox{"All States"};
  CheckBoxControl SubsetStatesCheckBox{"Subset of States"};
  ButtonControl ChangeStateSubsetButton{"Specify Subset..."};
  CheckBoxControl AllRegionCheckBox{"All Regions"};
  CheckBoxControl SubsetRegionCheckBox{"Subset of Regions"};
  ButtonControl ChangeRegionSubsetButton{"Specify Subset..."};
  CheckBoxControl AllDiasporaCheckBox{"All Diasporas"};
  CheckBoxControl DiasporaSubsetCheckBox{"Subset of Diasporas"};
  ButtonControl ChangeDiasporaSubsetButton{"Specify Subset..."};

  // --- Main settings: control cases ---
  Control ControlGroupBox{" Non-KIV Control Groups "};
  CheckBoxControl NonKivGroupCheckBox{
      "Include States and Years without KIVs (output all group-years or state-years)"};
  CheckBoxControl NonKivGroupAllCheckBox{"All Non-KIV States"};
  CheckBoxControl NonKivGroupSubsetCheckBox{"Subset of Non-KIV States"};
  ButtonControl NonKivSubsetButton{"Specify Subset..."};

  // --- Main settings: time unit, interpolation, years ---
  Control TemporalAggregationGroupBox{" Temporal Aggregation "};
  RadioGroup TemporalAggregationRadios;
  RadioButtonControl TimeAnnualButton{TemporalAggregationRadios, "Annual"};
  RadioButtonControl Time2yrButton{TemporalAggregationRadios, "2 year"};
  RadioButtonControl Time5yrButton{TemporalAggregationRadios, "5 year"};
  RadioButtonControl Time10yrButton{TemporalAggregationRadios, "10 year"};

  Control InterpolateGroupBox{" Interpolation "};
  RadioGroup InterpolateRadios;
  RadioButtonControl InterpolateYesButton{InterpolateRadios,
                                          "Interpolate Intertemporal Data Points"};
  CheckBoxControl LinearInterpCheckBox{"Linear Interpolation"};
  CheckBoxControl CarryforwardInterpCheckBox{"Carry Forward Interpolation"};
  RadioButtonControl InterpolateNoButton{InterpolateRadios, "No Interpolation"};
  CheckBoxControl IncludeMissingCheckBox{"Output Missing \"In Series\" Cases"};

  Control Years_lst{" Years to Include in Output "};
  RadioGroup YearRadios;
  RadioButtonControl All_Yrs{YearRadios, "All Years"};
  RadioButtonControl Specified_Yrs{YearRadios, "Specified Range: "};
  Control FromLabel{"from "};
  Control ToLabel{"to "};
  EditControl SubYear1Edit{"    "};
  EditControl SubYear2Edit{"    "};

  // --- Output options ---
  Control locationBox{" Output Destination "};
  RadioGroup DestinationRadios;
  RadioButtonControl ToFileRadioDial{DestinationRadios, "To File:"};
  ButtonControl FileChangeButton{"Change Output File..."};
  EditControl FileDisplay;
  RadioButtonControl ToScreenRadioDial{DestinationRadios, "To Screen"};
  RadioButtonControl ToPrinterRadioDial{DestinationRadios, "To Printer"};
  ButtonControl PrintSetupButton{"Printer Setup..."};

  Control VarSeparatorBox{" Variable Separator "};
  RadioGroup SeparatorRadios;
  RadioButtonControl SeparateWithTabs{SeparatorRadios, "Separate Variables With Tabs"};
  RadioButtonControl SeparateWithSpaces{SeparatorRadios, "Separate Variables With Spaces"};
  RadioButtonControl SeparateWithCommas{SeparatorRadios, "Separate Variables With Commas"};

  Control StatOutputBox{" Create Command File(s) "};
  CheckBoxControl SPSSCommandFileCheckBox{"SPSS Command File"};
  CheckBoxControl StataCommandFileCheckBox{"STATA Command File"};
  CheckBoxControl LIMDEPCommandFileCheckBox{"Limdep Command File"};
  // Native data files that Stata and SPSS (and R and pandas) open directly;
  // they follow the command files' rules.
  CheckBoxControl StataDataFileCheckBox{"Stata Data File (.dta)"};
  CheckBoxControl SPSSDataFileCheckBox{"SPSS Data File (.sav)"};
  // The codebook beside the data file follows the command files' rules; the
  // provenance columns go with any destination.
  CheckBoxControl CodebookCheckBox{"Codebook (.codebook.html)"};
  CheckBoxControl ProvenanceCheckBox{"Provenance Columns (_n, _filled)"};

  Control HeaderBox{" File Header Information "};
  CheckBoxControl Header{"Include Header Line Containing Variable Names"};

  // --- Variables: built by BuildVariableTabs ---
  PageControl VarTabs;
  ButtonControl SelectAllButton{"Select All"};
  ButtonControl UnselectAllButton{"Select None"};
  std::int32_t TabCount = 0;
  Multiple_tab_info_type TabInfo;
  std::vector<VarPageFrame> VarPages;
  // One box per variable, in page and sub-tab order; VarBoxPlaces[k] says
  // where VarCheckBoxes[k] stands.
  std::vector<VariableBox> VarCheckBoxes;
  std::vector<VarBoxPlace> VarBoxPlaces;

  // --- Menus ---
  Control FileMenu{"&File"};
  MenuItemControl Exit1{"E&xit"};
  MenuItemControl LoadSettings1{"Load Settings"};
  MenuItemControl SaveSettings1{"Save Settings"};
  MenuItemControl OpenSettings1{"Open Settings…"};
  MenuItemControl SaveSettingsAs1{"Save Settings As…"};
  Control CreateDataSetMenu{"&Create Data Set"};
  MenuItemControl CreateNow1{"&Create Now"};
  MenuItemControl ShowOutputWindow1{"Show Output Window"};
  MenuItemControl DescribeDataSet1{"Describe This Data Set…"};
  Control TraceMenu{"Trace"};
  MenuItemControl TraceOnMenuItem{"On"};
  MenuItemControl TraceOffMenuItem{"Off"};
  Control HelpMenu{"&Help"};
  MenuItemControl KivoraDocumentation1{"Kivora Documentation"};
  MenuItemControl TandrelQuickstartGuide1{"Tandrel &Quickstart Guide"};
  MenuItemControl Documentation1{"Tandrel &Documentation"};
  MenuItemControl About1{"&About Tandrel"};

  // --- Dialogs the window opens ---
  std::unique_ptr<TKIVCountryListDlg> KIVCountryListDlg;
  std::unique_ptr<TNonKIVCountryListDlg> NonKIVCountryListDlg;
  std::unique_ptr<TGroupListDlg> GroupListDlg;
  std::unique_ptr<TRegionListDlg> RegionListDlg;
  std::unique_ptr<TDiasporaListDlg> DiasporaListDlg;
  std::unique_ptr<TAboutBox> AboutBox;
  std::unique_ptr<TDescribeDataSetDlg> DescribeDlg;
  // What the last Go returned, when it returned.
  std::optional<RunResult> LastRun;

  // --- Start-up ---
  // Creates the five subset dialogs, hidden, from the reference data.
  void CreateSubsetDialogs();
  // Builds the variable pages from the description (and renumbers its tab
  // numbers); `size` is what the desktop window gives a page.
  void BuildVariableTabs(Tuser_data_set_listing_obj& description, const VarPageSize& size = {});
  void CreateAboutBox();

  // --- Physical aggregation and subsets ---
  void PhysGrpButtonClick();
  void PhysStateButtonClick();
  void PhysRegionButtonClick();
  void PhysDiasporaButtonClick();
  void PhysGlobeButtonClick();
  void DisableSubsetControls();
  void AllGrpCheckBoxClick();
  void SubsetGrpCheckBoxClick();
  void GroupSubsetButtonClick();
  void AllStatesCheckBoxClick();
  void SubsetStatesCheckBoxClick();
  void ChangeStateSubsetButtonClick();
  void AllRegionCheckBoxClick();
  void SubsetRegionCheckBoxClick();
  void ChangeRegionSubsetButtonClick();
  void AllDiasporaCheckBoxClick();
  void DiasporaSubsetCheckBoxClick();
  void ChangeDiasporaSubsetButtonClick();
  void NonKivGroupCheckBoxClick();
  void NonKivGroupAllCheckBoxClick();
  void NonKivGroupSubsetCheckBoxClick();
  void NonKivSubsetButtonClick();

  // --- Time unit, interpolation, years ---
  void TimeAnnualButtonClick();
  void Time2yrButtonClick();
  void Time5yrButtonClick();
  void Time10yrButtonClick();
  void InterpolateYesButtonClick();
  void InterpolateNoButtonClick();
  void LinearInterpCheckBoxClick();
  void CarryforwardInterpCheckBoxClick();
  void IncludeMissingCheckBoxClick();
  void All_YrsClick();
  void Specified_YrsClick();
  void SubYear1EditExit();
  void SubYear2EditExit();

  // --- Output options ---
  void ToFileRadioDialClick();
  void ToScreenRadioDialClick();
  void ToPrinterRadioDialClick();
  void FileChangeButtonClick();
  void PrintSetupButtonClick();
  void SeparateWithTabsClick();
  void SeparateWithSpacesClick();
  void SeparateWithCommasClick();
  void SPSSCommandFileCheckBoxClick();
  void StataCommandFileCheckBoxClick();
  void LIMDEPCommandFileCheckBoxClick();
  void StataDataFileCheckBoxClick();
  void SPSSDataFileCheckBoxClick();
  void CodebookCheckBoxClick();
  void ProvenanceCheckBoxClick();
  void HeaderClick();

  // --- Variables ---
  // Enables the boxes the time unit and interpolation allow.
  void OfferVariables();
  void SelectAllButtonClick();
  void UnselectAllButtonClick();
  // A user's click on the box at position `k` of VarCheckBoxes.
  void VarBoxClick(std::size_t k);
  // Changes the active page of VarTabs (false for a page without a tab)
  // and the active sub-tab of the active page.
  bool SetActiveVarPage(int page);
  bool SetActiveSubTab(int sub_tab);
  // Positions in VarCheckBoxes of the boxes on the active page or sub-tab.
  std::vector<std::size_t> VisibleVarBoxes() const;
  // Why box k is shut, for its tooltip ("measured every 3 years: choose
  // interpolation"); empty when it is open.
  std::string VarBoxShutReason(std::size_t k) const;

  // --- Selections to and from the window ---
  void ShowSelections(user_selection_type shown, const Tuser_data_set_listing_obj& description);
  void ReadVariableSelections();

  // --- Menus and buttons ---
  void CreateDataSetButtonClick();
  void CreateNow1Click();
  void ExitBtnClick();
  void Exit1Click();
  void LoadSettings1Click();
  void SaveSettings1Click();
  void OpenSettings1Click();
  void SaveSettingsAs1Click();
  // The recent settings files, most recent first; empty without a memory.
  std::vector<std::string> recent_settings_files() const;
  // "&1 name": the menu item of the recent file at `index` (0 first).
  static std::string recent_settings_caption(std::size_t index, const std::string& file);
  // Opens the recent file at `index`; one that is gone says so and leaves
  // the list.
  void OpenRecentSettings(std::size_t index);
  // The memory that keeps the recent files between sessions; without one
  // the list stays empty.
  void remember_with(SessionMemory& memory) { memory_ = &memory; }
  // Both explain a failure to the user and change nothing; true on success.
  bool read_settings(const std::string& file_name);
  bool write_settings(const std::string& file_name, bool say_where = false);
  void TraceOnMenuItemClick();
  void TraceOffMenuItemClick();
  void ShowOutputWindow1Click();
  void KivoraDocumentation1Click();
  void TandrelQuickstartGuide1Click();
  void Documentation1Click();
  void About1Click();
  void DescribeDataSet1Click();

 private:
  enum class Subset { Groups, States, Regions, Diasporas };
  struct SubsetRow {
    CheckBoxControl& all;
    CheckBoxControl& subset;
    ButtonControl& button;
    TGenericListDlg* dialog;
    bool user_selection_type::*all_flag;
    bool (*list_empty)(const user_selection_type&);
  };
  SubsetRow row(Subset kind);
  void unit_rule(Subset kind, physical_aggregation_type unit, bool nonkiv_allowed);
  void shut_out_nonkiv_controls();
  void all_box_changed(Subset kind);
  void subset_box_changed(Subset kind);
  void show_dialog(TGenericListDlg* dialog);
  void set_nonkiv_subset_controls(bool enabled);
  void set_command_file_controls(bool enabled);
  void set_time_unit(temporal_aggregation_type unit);
  void set_command_file(CheckBoxControl& box, command_file_type type);
  void set_native_file(CheckBoxControl& box, native_file_type type);
  void set_hints();
  void wire_main_settings();
  void wire_output_options();
  void wire_menus();
  void show_unit(const user_selection_type& shown);
  void show_nonkiv(const user_selection_type& shown);
  void show_years(const user_selection_type& shown, const Tuser_data_set_listing_obj& description);
  void show_output(const user_selection_type& shown);
  void show_variables(const user_selection_type& shown,
                      const Tuser_data_set_listing_obj& description);
  std::function<void()> guarded(std::function<void()> handler);
  // Like run_handler, but lets exceptions through (start-up shows the
  // selections and must see its failures).
  void announce(const std::function<void()>& handler);
  void show_selections(const user_selection_type& shown,
                       const Tuser_data_set_listing_obj& description);
  using Handler = void (TGenerateForm::*)();
  // Registers the control, puts it on its page or in its menu and wires
  // its handler (none: nullptr).
  void reg(const char* id, ButtonControl& control, Control* page, Handler handler);
  void reg(const char* id, MenuItemControl& control, Control* page, Handler handler);
  void reg(const char* id, CheckBoxControl& control, Control* page, Handler handler);
  void reg(const char* id, RadioButtonControl& control, Control* page, Handler handler);
  void reg(const char* id, EditControl& control, Control* page, Handler handler);
  template <class C>
  void reg_control(const char* id, ControlKind kind, C& control, Control* page, Handler handler);
  void lock_for_run();
  void unlock_after_run();
  // False when the user would not have Go replace the data file.
  bool may_write_output() const;
  void Go();
  void run_go();
  // The one message at the end of a run: what was written, or why not.
  void report_run_end(const RunResult& result);

  int handler_depth_ = 0;
  bool running_ = false;
  std::optional<int> end_requested_;

  user_selection_type& selections() const;
  Tuser_data_set_listing_obj& description() const;

  Session& session_;
  SessionMemory* memory_ = nullptr;
  WrittenFiles written_files_;
};

// Hands a help page to the desktop shell; a file that is not there is told
// in a message that gives its path.
void open_help_page(const std::string& page);
std::string help_page_missing_text(const std::string& page);

}  // namespace tandrel
