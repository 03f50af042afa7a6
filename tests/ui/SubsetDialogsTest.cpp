// The subset dialogs as the user works them: moving items, OK, Cancel, and
// what OK writes into the selections and the main window.

#include <gtest/gtest.h>

#include <algorithm>

#include "reference/GroupIndex.h"
#include "ui/MainWindowFixture.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {
namespace {

using Texts = std::vector<std::string>;

class SubsetDialogs : public test::MainWindowFixture {
 protected:
  SubsetDialogs() { start(); }

  // Opens the group dialog from its button and runs `work` in it.
  void in_group_dialog(std::function<void(TGroupListDlg&)> work) {
    platform.script_action(
        [work](platform::ModalDialog& d) { work(dynamic_cast<TGroupListDlg&>(d)); });
    form().GroupSubsetButton.click();
  }
};

TEST_F(SubsetDialogs, GroupItemsCarryAZeroBeforeFourDigitsAndNoControlGroups) {
  session.group_index->add_group(2000, "control", -99, 7, 20);
  TGroupListDlg& dlg = *form().GroupListDlg;
  dlg.ExcAllBtnClick();
  EXPECT_EQ(dlg.SrcList.texts(), (Texts{"02001 Gamma (Canada)", "201 Alpha (United States)",
                                        "202 Beta (United States)"}));
  EXPECT_EQ(dlg.SrcList.horizontal_extent, 290);
  EXPECT_EQ(form().DiasporaListDlg->SrcList.texts(), (Texts{"-99", "10", "2"}));
  EXPECT_EQ(form().NonKIVCountryListDlg->SrcList.texts(), (Texts{"Mexico"}));
}

// The chosen list keeps the available list's order, whatever the order of
// the moves.
TEST_F(SubsetDialogs, ChosenItemsKeepTheAvailableOrder) {
  in_group_dialog([](TGroupListDlg& dlg) {
    dlg.press("ExAllBtn");
    EXPECT_FALSE(dlg.button_enabled("ExcludeBtn"));
    dlg.SrcList.select_texts({"202 Beta (United States)"});
    dlg.press("IncludeBtn");
    dlg.SrcList.select_texts({"02001 Gamma (Canada)"});
    dlg.press("IncludeBtn");
    EXPECT_EQ(dlg.DstList.texts(), (Texts{"02001 Gamma (Canada)", "202 Beta (United States)"}));
    EXPECT_EQ(dlg.SrcList.texts(), (Texts{"201 Alpha (United States)"}));
    dlg.press("Ok");
  });
  EXPECT_EQ(sel().selected_groups, (Selected_group_list_type{2001, 202}));
  EXPECT_FALSE(sel().all_groups);
  EXPECT_TRUE(form().SubsetGrpCheckBox.checked());
  EXPECT_FALSE(form().AllGrpCheckBox.checked());
  EXPECT_TRUE(form().PhysGrpButton.checked());
}

TEST_F(SubsetDialogs, EveryItemOnTheRightCountsAsAll) {
  in_group_dialog([](TGroupListDlg& dlg) {
    dlg.press("ExAllBtn");
    dlg.press("ExcludeBtn");  // nothing chosen yet: the button is shut
    dlg.SrcList.select_texts(dlg.SrcList.texts());
    dlg.press("IncludeBtn");
    dlg.press("Ok");
  });
  EXPECT_TRUE(sel().all_groups);
  EXPECT_TRUE(form().AllGrpCheckBox.checked());
  EXPECT_FALSE(form().SubsetGrpCheckBox.checked());
  EXPECT_EQ(sel().selected_groups.size(), 3U);
}

TEST_F(SubsetDialogs, CancelRestoresBothLists) {
  TGroupListDlg& dlg = *form().GroupListDlg;
  const Texts left = dlg.SrcList.texts();
  const Texts right = dlg.DstList.texts();
  const user_selection_type before = sel();
  in_group_dialog([](TGroupListDlg& d) {
    d.press("ExAllBtn");
    d.SrcList.select_texts({"201 Alpha (United States)"});
    d.press("IncludeBtn");
    d.press("Cancel");
  });
  EXPECT_EQ(dlg.SrcList.texts(), left);
  EXPECT_EQ(dlg.DstList.texts(), right);
  EXPECT_EQ(sel(), before);
}

// Moving the last item of a list used to select an item of the emptied
// list, which does not exist.
TEST_F(SubsetDialogs, MovingTheLastItemLeavesAnEmptyListWithoutSelection) {
  in_group_dialog([](TGroupListDlg& dlg) {
    dlg.DstList.select_texts(dlg.DstList.texts());
    dlg.press("ExcludeBtn");
    EXPECT_EQ(dlg.DstList.count(), 0);
    EXPECT_FALSE(dlg.button_enabled("ExcludeBtn") || dlg.button_enabled("ExAllBtn"));
    dlg.SrcList.select_texts(dlg.SrcList.texts());
    dlg.press("IncludeBtn");
    EXPECT_EQ(dlg.SrcList.count(), 0);
    EXPECT_FALSE(dlg.button_enabled("IncludeBtn") || dlg.button_enabled("IncAllBtn"));
    dlg.press("Cancel");
  });
}

// OK in a dialog of another unit than the one chosen turns that unit on.
// The diaspora unit's boxes start with neither ticked while its flag says
// "all"; turning the unit on showed that flag first, which chose every item
// over the subset just picked.
TEST_F(SubsetDialogs, ASubsetChosenUnderAnotherUnitIsKept) {
  form().PhysStateButton.click();
  platform.script_action([](platform::ModalDialog& d) {
    auto& dlg = dynamic_cast<TDiasporaListDlg&>(d);
    dlg.press("ExAllBtn");
    dlg.SrcList.select_texts({"10"});
    dlg.press("IncludeBtn");
    dlg.press("Ok");
  });
  os().show_modal(*form().DiasporaListDlg);
  EXPECT_EQ(sel().selected_diasporas, (Selected_diaspora_list_type{10}));
  EXPECT_FALSE(sel().all_diasporas);
  EXPECT_EQ(sel().physical_aggregation, physical_aggregation_type::PhysDiaspora);
  EXPECT_TRUE(form().DiasporaSubsetCheckBox.checked());
  EXPECT_FALSE(form().AllDiasporaCheckBox.checked());
}

struct DialogCase {
  const char* name;  // the dialog's class
  const char* caption;
  const char* help;
  const char* kind;
};

class EveryDialog : public SubsetDialogs, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(EveryDialog, OkWithNothingChosenTakesEveryItemAfterTheMessage) {
  TGenerateForm& f = form();
  TGenericListDlg* dialogs[] = {f.KIVCountryListDlg.get(), f.NonKIVCountryListDlg.get(),
                                f.GroupListDlg.get(), f.RegionListDlg.get(),
                                f.DiasporaListDlg.get()};
  TGenericListDlg& dlg = **std::find_if(std::begin(dialogs), std::end(dialogs), [](auto* d) {
    return d->dialog_name() == GetParam().name;
  });
  platform.script_action([](platform::ModalDialog& d) {
    d.press("Help");
    d.press("ExAllBtn");
    d.press("Ok");
  });
  os().show_modal(dlg);
  EXPECT_EQ(dlg.Caption, GetParam().caption);
  EXPECT_EQ(messages(), (Texts{GetParam().help, empty_choice_message(GetParam().kind)}));
  EXPECT_EQ(dlg.SrcList.count(), 0);
  EXPECT_GT(dlg.DstList.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, EveryDialog,
    ::testing::Values(
        DialogCase{"TKIVCountryListDlg", "Countries (with KIV groups) to be included in output",
                   "Choose countries with KIV groups to include and click on Ok.", "states"},
        DialogCase{"TNonKIVCountryListDlg",
                   "Countries (without KIV groups) to be included in output",
                   "Choose countries without KIV groups to include and click on Ok.", "states"},
        DialogCase{"TGroupListDlg", "KIV Groups to be included in output",
                   "Choose Groups to include and click on Ok.", "groups"},
        DialogCase{"TRegionListDlg", "Regions to be included in output",
                   "Choose Regions to include and click on Ok.", "regions"},
        DialogCase{"TDiasporaListDlg", "KIV Diaspora groupings to be included",
                   "Choose Diasporas to include and click on Ok.", "diaspora"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SubsetDialogs, ARegionSubsetIsWrittenAndShown) {
  form().PhysRegionButton.click();
  EXPECT_EQ(sel().selected_regions.size(), 2U);
  platform.script_action([](platform::ModalDialog& d) {
    auto& dlg = dynamic_cast<TRegionListDlg&>(d);
    dlg.press("ExAllBtn");
    dlg.SrcList.select_texts({"Latin America and Caribbean"});
    dlg.press("IncludeBtn");
    dlg.press("Ok");
  });
  form().ChangeRegionSubsetButton.click();
  EXPECT_EQ(sel().selected_regions, (Selected_kiv_region_list_type{kiv_region_type::KivRegLatin7}));
  EXPECT_EQ(sel().physical_aggregation, physical_aggregation_type::PhysRegion);
  EXPECT_TRUE(form().PhysRegionButton.checked());
  EXPECT_TRUE(form().SubsetRegionCheckBox.checked() && form().SubsetRegionCheckBox.enabled);
  EXPECT_FALSE(form().AllRegionCheckBox.checked() || sel().all_regions);
  EXPECT_FALSE(form().NonKivGroupCheckBox.enabled);
}

}  // namespace
}  // namespace tandrel
