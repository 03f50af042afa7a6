// Start-up of the sample installation with the main window models: what the
// user sees when the window first shows.

#include "app/MainWindowStartup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/SubsetSources.h"
#include "support/GlobalsFixture.h"
#include "ui/AboutBox.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {
namespace {

class SampleStartup : public test::GlobalsFixture {
 protected:
  SampleStartup() {
    std::filesystem::copy(TANDREL_SOURCE_DIR "/data/sample", dir.path(),
                          std::filesystem::copy_options::recursive);
    start_up(g, session, windows);
  }
  TGenerateForm& form() { return *windows.form(); }

  MainWindowStartup windows{session};
};

TEST_F(SampleStartup, TheWindowShowsTheDefaultSelections) {
  TGenerateForm& f = form();
  EXPECT_TRUE(f.Initialized());
  EXPECT_TRUE(f.PhysGrpButton.checked());
  for (const Control* c : std::initializer_list<const Control*>{
           &f.PhysDiasporaButton, &f.AllDiasporaCheckBox, &f.DiasporaSubsetCheckBox,
           &f.ChangeDiasporaSubsetButton, &f.AllStatesCheckBox, &f.NonKivGroupAllCheckBox,
           &f.LinearInterpCheckBox, &f.SubYear1Edit, &f.StatOutputBox, &f.SPSSCommandFileCheckBox})
    EXPECT_FALSE(c->enabled) << c->caption;
  EXPECT_TRUE(f.AllGrpCheckBox.checked() && !f.SubsetGrpCheckBox.checked());
  EXPECT_TRUE(f.NonKivGroupCheckBox.enabled && !f.NonKivGroupCheckBox.checked());
  EXPECT_TRUE(f.TimeAnnualButton.checked() && f.InterpolateNoButton.checked());
  EXPECT_TRUE(f.IncludeMissingCheckBox.checked() && f.IncludeMissingCheckBox.enabled);
  EXPECT_TRUE(f.All_Yrs.checked());
  EXPECT_EQ(f.SubYear1Edit.text + " " + f.SubYear2Edit.text, "1945 2006");
  EXPECT_EQ(f.SubYear2Edit.hint, "Last KIV Data is available in 2006");
  EXPECT_TRUE(f.ToScreenRadioDial.checked() && f.SeparateWithCommas.checked());
  EXPECT_TRUE(f.Header.checked());
  EXPECT_EQ(f.FileDisplay.text, "output.csv");
  EXPECT_EQ(f.AboutBox->Version.caption, "Version 1.06");

  // Every KIV group is in the group subset because All Groups is checked.
  user_selection_type expected;
  set_default_selections(expected, *session.description);
  expected.selected_groups = session.selections->selected_groups;
  EXPECT_EQ((*session.selections), expected);
  EXPECT_EQ(expected.selected_groups.size(),
            group_items(*session.group_index, *session.nation_array).size());
  EXPECT_GT(expected.selected_groups.size(), 10U);
}

TEST_F(SampleStartup, OnlyTheIdentifierVariablesStartChecked) {
  std::vector<std::string> chosen;
  std::vector<std::int32_t> order;
  for (const VariableBox& b : form().VarCheckBoxes) {
    order.push_back(b.variable);
    if (b.checked) chosen.push_back(session.description->get_var_name(0, b.variable));
  }
  EXPECT_EQ(chosen, (std::vector<std::string>{"numcode", "group", "year", "ccode", "region"}));
  std::vector<std::int32_t> shared;
  for (const VariableBox& b : build_variable_boxes(*session.description))
    shared.push_back(b.variable);
  EXPECT_EQ(order, shared);
}

TEST_F(SampleStartup, SelectAllAndNoneActOnTheActiveSubTab) {
  TGenerateForm& f = form();
  f.InterpolateYesButton.click();
  auto crowded = std::find_if(f.TabInfo.begin(), f.TabInfo.end(),
                              [](const auto& page) { return page.sub_tab_count > 0; });
  ASSERT_NE(crowded, f.TabInfo.end()) << "the sample has a page with sub-tabs";
  ASSERT_TRUE(f.SetActiveVarPage(static_cast<int>(crowded - f.TabInfo.begin())));
  ASSERT_TRUE(f.SetActiveSubTab(1));
  const std::vector<std::size_t> visible = f.VisibleVarBoxes();
  ASSERT_EQ(visible.size(), static_cast<std::size_t>(crowded->sub_tabs[1].count));
  f.SelectAllButton.click();
  std::size_t checked = 0;
  for (const VariableBox& b : f.VarCheckBoxes) checked += b.checked ? 1 : 0;
  EXPECT_EQ(checked, visible.size() + 5);
  f.UnselectAllButton.click();
  checked = 0;
  for (const VariableBox& b : f.VarCheckBoxes) checked += b.checked ? 1 : 0;
  EXPECT_EQ(checked, 5U) << "the identifier variables stay checked";
}

}  // namespace
}  // namespace tandrel
