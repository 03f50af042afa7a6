// The main window's selection rules, driven through its controls as a user
// clicks them.

#include <gtest/gtest.h>

#include "diagnostics/OutputWindow.h"
#include "reference/DataSetListing.h"
#include "ui/MainWindowFixture.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {
namespace {

class SelectionRules : public test::MainWindowFixture {
 protected:
  SelectionRules() { start(); }
};

TEST_F(SelectionRules, UncheckingSubsetOfGroupsWithAllUncheckedChoosesEveryGroup) {
  platform.script_action([](platform::ModalDialog& d) {
    auto& dlg = dynamic_cast<TGroupListDlg&>(d);
    dlg.press("ExAllBtn");
    dlg.SrcList.select_texts({"202 Beta (United States)"});
    dlg.press("IncludeBtn");
    dlg.press("Ok");
  });
  form().GroupSubsetButton.click();
  ASSERT_FALSE(form().AllGrpCheckBox.checked());
  ASSERT_EQ(sel().selected_groups, (Selected_group_list_type{202}));

  form().SubsetGrpCheckBox.click();
  EXPECT_TRUE(form().AllGrpCheckBox.checked());
  EXPECT_FALSE(form().SubsetGrpCheckBox.checked());
  EXPECT_TRUE(sel().all_groups);
  EXPECT_EQ(sel().selected_groups, (Selected_group_list_type{2001, 201, 202}));
}

TEST_F(SelectionRules, SubsetOfStatesOpensTheDialogOnlyForAnEmptyList) {
  form().PhysStateButton.click();
  EXPECT_EQ(sel().physical_aggregation, physical_aggregation_type::PhysState);
  ASSERT_EQ(sel().selected_states, (Selected_state_list_type{20, 2}));  // Canada first
  form().SubsetStatesCheckBox.click();
  EXPECT_FALSE(form().AllStatesCheckBox.checked());
  EXPECT_FALSE(sel().all_states);
  EXPECT_FALSE(shown("TKIVCountryListDlg"));

  form().AllStatesCheckBox.click();  // back to all
  sel().selected_states.clear();
  platform.script_action([](platform::ModalDialog& d) {
    d.press("ExAllBtn");
    d.press("Ok");
  });
  form().SubsetStatesCheckBox.click();
  EXPECT_TRUE(shown("TKIVCountryListDlg"));
  EXPECT_EQ(messages(), (std::vector<std::string>{empty_choice_message("states")}));
  EXPECT_EQ(sel().selected_states, (Selected_state_list_type{20, 2}));
  EXPECT_TRUE(sel().all_states);
}

TEST_F(SelectionRules, UnitsWithoutControlCasesShutTheControlsButKeepTheChoice) {
  form().NonKivGroupCheckBox.click();
  EXPECT_TRUE(sel().include_nonkiv_states);
  EXPECT_TRUE(form().NonKivSubsetButton.enabled);

  for (RadioButtonControl* unit : {&form().PhysRegionButton, &form().PhysGlobeButton}) {
    unit->click();
    for (const Control* c : std::initializer_list<const Control*>{
             &form().NonKivGroupCheckBox, &form().NonKivGroupAllCheckBox,
             &form().NonKivGroupSubsetCheckBox, &form().NonKivSubsetButton})
      EXPECT_FALSE(c->enabled) << c->caption;
    EXPECT_TRUE(sel().include_nonkiv_states);
    EXPECT_TRUE(form().NonKivGroupCheckBox.checked());
  }
  form().PhysGrpButton.click();
  EXPECT_TRUE(form().NonKivGroupCheckBox.enabled);
  EXPECT_TRUE(form().NonKivGroupAllCheckBox.enabled);
  EXPECT_TRUE(form().NonKivSubsetButton.enabled);
  EXPECT_TRUE(form().AllGrpCheckBox.enabled);
  EXPECT_FALSE(form().AllRegionCheckBox.enabled);
}

TEST_F(SelectionRules, LinearAndCarryForwardAreNeverBothUnchecked) {
  form().InterpolateYesButton.click();
  EXPECT_FALSE(form().IncludeMissingCheckBox.enabled);
  EXPECT_TRUE(sel().output_missing_cases);
  CheckBoxControl& linear = form().LinearInterpCheckBox;
  CheckBoxControl& carry = form().CarryforwardInterpCheckBox;
  using M = interpolation_method_type;
  struct Step {
    CheckBoxControl* box;
    M method;
  };
  for (Step step : {Step{&linear, M::InterpCarryForward}, Step{&linear, M::InterpLinear},
                    Step{&carry, M::InterpCarryForward}, Step{&carry, M::InterpLinear}}) {
    step.box->click();
    EXPECT_EQ(sel().interpolation_method, step.method);
    EXPECT_NE(linear.checked(), carry.checked());
    EXPECT_EQ(linear.checked(), step.method == M::InterpLinear);
  }
  form().InterpolateNoButton.click();
  EXPECT_FALSE(linear.enabled || carry.enabled);
  EXPECT_TRUE(form().IncludeMissingCheckBox.enabled);
  EXPECT_FALSE(sel().interpolate);
}

struct YearCase {
  const char* name;
  bool first_edit;  // which edit is left
  const char* first_text;
  const char* last_text;
  std::vector<std::string> messages;
  const char* edit_text_after;
  int stored;
};

const char* const kFirstRange =
    "First year of selection must be between 1945 and 2003.  Please enter a new value.";
const char* const kFinalRange =
    "Final year of selection must be between 1945 and 2003.  Please enter a new value.";
const char* const kOrder =
    "First year of selection must be less than or equal to final year of selection.  Please enter "
    "a new value.";

class YearEdits : public SelectionRules, public ::testing::WithParamInterface<YearCase> {};

TEST_P(YearEdits, LeavingAnEditChecksRangeThenOrder) {
  const YearCase& c = GetParam();
  form().Specified_Yrs.click();
  ASSERT_TRUE(form().SubYear1Edit.enabled);
  form().SubYear1Edit.text = c.first_text;
  form().SubYear2Edit.text = c.last_text;
  EditControl& edit = c.first_edit ? form().SubYear1Edit : form().SubYear2Edit;
  edit.enter_text(edit.text);
  EXPECT_EQ(messages(), c.messages);
  EXPECT_EQ(edit.text, c.edit_text_after);
  EXPECT_EQ(c.first_edit ? sel().first_year : sel().last_year, c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, YearEdits,
    ::testing::Values(
        YearCase{
            "OutOfRangeAndAfterLast", true, "2050", "1990", {kFirstRange, kOrder}, "1945", 1945},
        YearCase{"Accepted", true, "1950", "2000", {}, "1950", 1950},
        YearCase{"BlanksCountAsZero", true, "    ", "2000", {kFirstRange}, "1945", 1945},
        YearCase{
            "FinalBeforeDataAndFirst", false, "1950", "1940", {kFinalRange, kOrder}, "2003", 2003},
        YearCase{"FinalBeforeFirst", false, "1970", "1960", {kOrder}, "2003", 2003},
        YearCase{"FinalAccepted", false, "1970", "1980", {}, "1980", 1980}),
    [](const auto& info) { return std::string(info.param.name); });

struct FileCase {
  const char* chosen;
  std::string stored;
  bool renamed;
};

class OutputFile : public SelectionRules, public ::testing::WithParamInterface<FileCase> {};

TEST_P(OutputFile, ANameWithoutExtensionBecomesRaw) {
  platform.script_save_file(GetParam().chosen);
  form().ToFileRadioDial.click();
  const output_format_type& f = sel().output_format;
  EXPECT_EQ(f.output_file_name, GetParam().stored);
  EXPECT_EQ(form().FileDisplay.text, GetParam().stored);
  EXPECT_EQ(f.destination, output_destination_type::DestFile);
  EXPECT_TRUE(f.file_name_chosen);
  EXPECT_TRUE(form().ToFileRadioDial.checked());
  EXPECT_TRUE(form().LIMDEPCommandFileCheckBox.enabled && form().StatOutputBox.enabled);
  std::vector<std::string> expected;
  if (GetParam().renamed)
    expected.push_back(
        "Your output data file must have a 3 character extension (like \".csv\" \".out\" \".dat\" "
        "or \".raw\") to ensure proper reading by statistical software.  Tandrel has renamed your "
        "output file to " +
        GetParam().stored);
  EXPECT_EQ(messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(Names, OutputFile,
                         ::testing::Values(FileCase{"results", "results.raw", true},
                                           FileCase{"results.", "results.raw", true},
                                           FileCase{"run.2/results", "run.2/results.raw", true},
                                           FileCase{"results.d", "results.d", false},
                                           FileCase{"results.data", "results.data", false}));

TEST_F(SelectionRules, CancelledFileDialogLeavesTheScreenAsDestination) {
  platform.script_save_file(std::nullopt);
  form().ToFileRadioDial.click();
  EXPECT_TRUE(shown("save file dialog"));
  EXPECT_TRUE(form().ToFileRadioDial.checked());
  EXPECT_TRUE(form().SPSSCommandFileCheckBox.enabled);
  EXPECT_EQ(sel().output_format.destination, output_destination_type::DestScreen);
  EXPECT_EQ(sel().output_format.output_file_name, "output.csv");
  EXPECT_FALSE(sel().output_format.file_name_chosen);
}

TEST_F(SelectionRules, ScreenAndPrinterShutTheCommandFilesButKeepThem) {
  platform.script_save_file(dir.file("out.csv"));
  form().ToFileRadioDial.click();
  form().StataCommandFileCheckBox.click();
  form().ToPrinterRadioDial.click();
  EXPECT_EQ(sel().output_format.destination, output_destination_type::DestPrinter);
  EXPECT_FALSE(form().StataCommandFileCheckBox.enabled || form().StatOutputBox.enabled);
  EXPECT_TRUE(form().StataCommandFileCheckBox.checked());
  EXPECT_TRUE(sel().output_format.command_files.contains(command_file_type::CmdStata));
}

TEST_F(SelectionRules, NativeDataFileBoxesFollowTheCommandFilesAndSetTheirBits) {
  EXPECT_FALSE(form().StataDataFileCheckBox.enabled || form().SPSSDataFileCheckBox.enabled);
  platform.script_save_file(dir.file("out.csv"));
  form().ToFileRadioDial.click();
  ASSERT_TRUE(form().StataDataFileCheckBox.enabled && form().SPSSDataFileCheckBox.enabled);
  form().StataDataFileCheckBox.click();
  form().SPSSDataFileCheckBox.click();
  form().SPSSDataFileCheckBox.click();
  const native_file_set files = sel().output_format.native_files;
  EXPECT_TRUE(files.contains(native_file_type::NativeDta));
  EXPECT_FALSE(files.contains(native_file_type::NativeSav));
  // Data files, not command files: the command files stay as they were.
  EXPECT_TRUE(sel().output_format.command_files.empty());
  form().ToScreenRadioDial.click();
  EXPECT_FALSE(form().StataDataFileCheckBox.enabled);
  EXPECT_TRUE(sel().output_format.native_files.contains(native_file_type::NativeDta));
}

struct OfferCase {
  RadioButtonControl TGenerateForm::*unit;
  std::vector<std::string> offered;
};

class TimeUnits : public SelectionRules, public ::testing::WithParamInterface<OfferCase> {};

TEST_P(TimeUnits, OfferTheVariablesMeasuredInEveryPeriodUnlessInterpolating) {
  (form().*GetParam().unit).click();
  std::vector<std::string> offered;
  for (const char* name : {"v0", "v1", "v2", "v3", "v5", "v10"})
    if (box_of(name).enabled) offered.push_back(name);
  EXPECT_EQ(offered, GetParam().offered);
  form().InterpolateYesButton.click();
  for (const VariableBox& b : form().VarCheckBoxes)
    EXPECT_EQ(b.enabled, session.description->get_var_name(0, b.variable) != "diaspora");
}

INSTANTIATE_TEST_SUITE_P(
    Units, TimeUnits,
    ::testing::Values(OfferCase{&TGenerateForm::TimeAnnualButton, {"v0", "v1"}},
                      OfferCase{&TGenerateForm::Time2yrButton, {"v0", "v1", "v2"}},
                      OfferCase{&TGenerateForm::Time5yrButton, {"v0", "v1", "v5"}},
                      OfferCase{&TGenerateForm::Time10yrButton, {"v0", "v1", "v2", "v5", "v10"}}));

// A shut box says why, and which periods would open it.
TEST_F(SelectionRules, AShutBoxSaysWhyInItsTooltip) {
  form().TimeAnnualButton.click();
  EXPECT_EQ(form().VarBoxShutReason(box("v3")), "measured every 3 years: choose interpolation");
  EXPECT_EQ(form().VarBoxShutReason(box("v5")),
            "measured every 5 years: choose interpolation or a 5- or 10-year period");
  EXPECT_EQ(form().VarBoxShutReason(box("v2")),
            "measured every 2 years: choose interpolation or a 2- or 10-year period");
  EXPECT_EQ(form().VarBoxShutReason(box("v1")), "");
  form().Time10yrButton.click();
  EXPECT_EQ(form().VarBoxShutReason(box("v5")), "");
}

TEST_F(SelectionRules, MenusShowWindowsAndOpenTheDocuments) {
  g.configuration.kiv_linked_doc_file_name = dir.write("kiv.html", "");
  g.configuration.tandrel_quickstart_file_name = dir.write("quick.html", "");
  g.configuration.tandrel_doc_file_name = dir.write("doc.html", "");
  form().TraceOnMenuItem.click();
  EXPECT_TRUE(g.trace_window->visible);
  EXPECT_TRUE(form().TraceOnMenuItem.checked && !form().TraceOffMenuItem.checked);
  form().TraceOffMenuItem.click();
  EXPECT_FALSE(g.trace_window->visible);
  EXPECT_TRUE(!form().TraceOnMenuItem.checked && form().TraceOffMenuItem.checked);
  form().ShowOutputWindow1.click();
  EXPECT_TRUE(g.output_window->visible);
  form().KivoraDocumentation1.click();
  form().TandrelQuickstartGuide1.click();
  form().Documentation1.click();
  EXPECT_EQ(platform.opened_documents(),
            (std::vector<std::string>{dir.file("kiv.html"), dir.file("quick.html"),
                                      dir.file("doc.html")}));
  form().About1.click();
  ASSERT_EQ(platform.shown().back().what, "TAboutBox");
  EXPECT_EQ(platform.shown().back().text, "Currently Using Data Set \"kivdata.csv\"");
  form().ExitBtn.click();
  EXPECT_TRUE(form().close_requested);
}

}  // namespace
}  // namespace tandrel
