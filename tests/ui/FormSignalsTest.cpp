// The main window as a widget mirror drives it: one "changed" per user
// action, no exception out of a click, and no clicks into the pages while a
// run pumps messages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagnostics/Error.h"
#include "process/Exceptions.h"
#include "ui/MainWindowFixture.h"
#include "ui/SubsetDialogs.h"

namespace tandrel {
namespace {

class FormSignals : public test::MainWindowFixture {
 protected:
  FormSignals() {
    start();
    counter_ = form().changed.connect([this] { ++changes; });
  }
  int changes = 0;

 private:
  Connection counter_;
};

TEST_F(FormSignals, ASubsetDialogsOkIsOneChangeOfTheWindowAndOneOfTheDialog) {
  TGroupListDlg& dlg = *form().GroupListDlg;
  int dialog_changes = 0;
  Connection c = dlg.changed.connect([&] { ++dialog_changes; });
  platform.script_action([&](platform::ModalDialog& d) {
    d.press("ExAllBtn");
    dlg.SelectItem(dlg.SrcList, 1, true);
    d.press("IncludeBtn");
    EXPECT_EQ(changes, 0) << "the window changes when its action ends";
    d.press("Ok");
  });
  form().GroupSubsetButton.click();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dialog_changes, 4);
  EXPECT_TRUE(form().SubsetGrpCheckBox.checked());

  // OK pressed on the dialog alone is an action of the window of its own.
  changes = 0;
  dlg.SelectEverything();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(form().AllGrpCheckBox.checked());
}

// A click whose rules set other controls, each running its own handler, is
// still one change; so is every kind of control a mirror forwards.
TEST_F(FormSignals, EveryUserActionIsExactlyOneChange) {
  struct Action {
    const char* name;
    std::function<void(TGenerateForm&)> act;
  };
  const std::vector<Action> actions = {
      {"unit radio with rules", [](TGenerateForm& f) { f.PhysStateButton.click(); }},
      {"check box", [](TGenerateForm& f) { f.Header.click(); }},
      {"years radio", [](TGenerateForm& f) { f.Specified_Yrs.click(); }},
      {"year edit", [](TGenerateForm& f) { f.SubYear1Edit.enter_text("1950"); }},
      {"menu item", [](TGenerateForm& f) { f.TraceOnMenuItem.click(); }},
      {"variable box", [](TGenerateForm& f) { f.VarBoxClick(0); }},
      {"select all", [](TGenerateForm& f) { f.SelectAllButton.click(); }},
      {"show selections",
       [](TGenerateForm& f) {
         f.ShowSelections(*f.session().selections, *f.session().description);
       }},
  };
  for (const Action& a : actions) {
    changes = 0;
    a.act(form());
    EXPECT_EQ(changes, 1) << a.name;
  }
}

TEST_F(FormSignals, GoTellsItsStartAndItsEnd) {
  std::vector<bool> running_seen;
  Connection c = form().changed.connect([&] { running_seen.push_back(form().Running()); });
  form().CreateDataSetButton.click();
  EXPECT_EQ(running_seen, (std::vector<bool>{true, false}));
}

// Under a toolkit the caller of a click is the event loop: whatever happens
// in the handler, the call returns and leaves state to act on.
TEST_F(FormSignals, NoExceptionLeavesAClickAndAbortAsksToEndWithStatusThree) {
  platform.set_pump_hook([&] { g.user_interrupt = true; });
  EXPECT_NO_THROW(form().CreateDataSetButton.click());
  EXPECT_TRUE(form().LastRun && form().LastRun->interrupted);
  EXPECT_FALSE(form().end_requested());
  platform.set_pump_hook(nullptr);

  // A critical report inside a handler: Abort is the only answer.
  form().run_handler([] { error("Broken", 2, critical); });
  EXPECT_EQ(form().end_requested(), platform::kExitAborted);
  EXPECT_EQ(platform.shown().back().what, "end program");
}

TEST_F(FormSignals, AnUnexpectedErrorInAHandlerIsReportedNotThrown) {
  changes = 0;
  platform.script_answer("IgnoreButton");
  EXPECT_NO_THROW(form().run_handler([] { throw EInOutError("The disk is gone."); }));
  EXPECT_EQ(changes, 1);
  EXPECT_NE(error_log_text().find("The disk is gone."), std::string::npos);
  EXPECT_FALSE(form().end_requested());
}

TEST_F(FormSignals, DuringARunThePagesTakeNoClicksAndTheWindowMayNotClose) {
  form().PhysGrpButton.click();
  const bool header_before = form().Header.checked();
  std::vector<bool> can_close;
  int pumps = 0;
  platform.set_pump_hook([&] {
    if (++pumps > 1) return;
    can_close.push_back(form().CanClose());
    EXPECT_TRUE(form().Running());
    form().PhysStateButton.click();
    form().Header.click();
    form().SubYear1Edit.enter_text("1960");
    form().VarBoxClick(0);
    form().LoadSettings1.click();
    form().CreateNow1.click();
  });
  const auto boxes_before = chosen_boxes();
  form().CreateDataSetButton.click();
  EXPECT_EQ(can_close, std::vector<bool>{false});
  EXPECT_TRUE(form().PhysGrpButton.checked());
  EXPECT_FALSE(form().PhysStateButton.checked());
  EXPECT_EQ(form().Header.checked(), header_before);
  EXPECT_EQ(chosen_boxes(), boxes_before);
  EXPECT_TRUE(form().CanClose());
  EXPECT_FALSE(form().Running());
}

}  // namespace
}  // namespace tandrel
