// Two main windows in one process, each on a session of its own: what one
// window's dialogs, Go and frame change stays in its own session.

#include <gtest/gtest.h>

#include <memory>

#include "reference/GroupIndex.h"
#include "support/MiniInstallation.h"
#include "ui/MainWindowFixture.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {
namespace {

using Texts = std::vector<std::string>;

class TwoSessions : public test::MainWindowFixture {
 protected:
  TwoSessions() {
    start();
    // The second installation knows one group only, so a list shows whose
    // reference data it was built from.
    other.selections = std::make_unique<user_selection_type>();
    test::MiniInstallationPlan plan;
    plan.lines = {"301,Delta,1991,20,7,-99"};
    test::MiniInstallation(g, other, other_dir, plan);
    second.create_main_window();
    second.create_subset_dialogs();
    second.build_variable_pages();
    second.create_remaining_windows();
  }
  ~TwoSessions() override { other.release_reference(); }

  // Picks exactly `texts` in the group dialog of `window` and presses OK.
  void pick_groups(TGenerateForm& window, const Texts& texts) {
    platform.script_action([texts](platform::ModalDialog& d) {
      auto& dlg = dynamic_cast<TGroupListDlg&>(d);
      dlg.press("ExAllBtn");
      dlg.SrcList.select_texts(texts);
      dlg.press("IncludeBtn");
      dlg.press("Ok");
    });
    window.GroupSubsetButton.click();
  }

  test::TempDir other_dir;
  Session other;
  MainWindowStartup second{other};
};

TEST_F(TwoSessions, EachWindowsDialogsListAndWriteItsOwnSession) {
  TGenerateForm& mine = form();
  TGenerateForm& theirs = *second.form();
  EXPECT_EQ(&mine.session(), &session);
  EXPECT_EQ(&theirs.session(), &other);
  EXPECT_EQ(theirs.GroupListDlg->SrcList.texts().size() + theirs.GroupListDlg->DstList.count(), 1U);

  const user_selection_type theirs_before = *other.selections;
  pick_groups(mine, {"202 Beta (United States)"});
  EXPECT_EQ(session.selections->selected_groups, (Selected_group_list_type{202}));
  EXPECT_FALSE(session.selections->all_groups);
  EXPECT_EQ(*other.selections, theirs_before);
  EXPECT_TRUE(theirs.AllGrpCheckBox.checked());

  pick_groups(theirs, {"301 Delta (Canada)"});
  EXPECT_EQ(other.selections->selected_groups, (Selected_group_list_type{301}));
  EXPECT_EQ(session.selections->selected_groups, (Selected_group_list_type{202}));
}

TEST_F(TwoSessions, EachWindowKeepsItsOwnFrame) {
  second.form()->Resize(900, 700);
  EXPECT_EQ(form().Width(), 535);
  EXPECT_EQ(form().Height(), 576);
  EXPECT_EQ(other.main_frame->Width, 900);
  EXPECT_TRUE(form().Initialized());
  EXPECT_FALSE(second.form()->Initialized());
}

}  // namespace
}  // namespace tandrel
