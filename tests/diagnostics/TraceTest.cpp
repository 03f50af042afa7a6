#include <gtest/gtest.h>

#include "diagnostics/OutputWindow.h"
#include "diagnostics/ProgressForm.h"
#include "diagnostics/Trace.h"
#include "diagnostics/VerifyStopForm.h"
#include "process/Exceptions.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

class TraceTest : public test::GlobalsFixture {
 protected:
  // A trace of its own at level 0, so line numbers start from scratch.
  Ttrace_obj& fresh() {
    g.trace_window->clear();
    local_ = std::make_unique<Ttrace_obj>(0, "test ");
    return *local_;
  }
  std::unique_ptr<Ttrace_obj> local_;
};

TEST_F(TraceTest, StartUpTraceIsAtLevelOneAndHidden) {
  EXPECT_EQ(trace().GetLevel(), 1);
  EXPECT_EQ(trace_lines(), std::vector<std::string>{"1: Creating Forms and Initializing"});
  EXPECT_FALSE(trace().progress_form().visible);
  EXPECT_EQ(trace().progress_form().Caption, "Application Trace");
  EXPECT_FALSE(trace().progress_form().PauseButton.enabled);
}

TEST_F(TraceTest, LinesAreIndentedByLevel) {
  Ttrace_obj& t = fresh();
  t.Enter("Creating Forms and Initializing");
  t.Enter("nested");
  t.Message("step");
  t.Exit("nested done");
  EXPECT_EQ(trace_lines(),
            (std::vector<std::string>{"1: Creating Forms and Initializing", "2:   nested",
                                      "2:     step", "2:   nested done", "1"}));
}

TEST_F(TraceTest, LevelTenAndDeeperIsSwitchedOffButExitStillWritesItsLevel) {
  Ttrace_obj& t = fresh();
  for (int i = 0; i < 9; ++i) t.Enter("e");
  g.trace_window->clear();
  t.Enter("deep");  // level 10: switched off by default
  EXPECT_EQ(t.GetLevel(), 10);
  EXPECT_TRUE(g.trace_window->Screen_Output().empty());
  t.Exit("deep done");
  EXPECT_EQ(trace_lines(), std::vector<std::string>{"9"});

  g.configuration.trace_levels[10] = true;
  g.trace_window->clear();
  t.Enter("deep");
  t.Message("inside");
  EXPECT_EQ(trace_lines(), (std::vector<std::string>{"10: + " + std::string(18, ' ') + "deep",
                                                     "10: " + std::string(20, ' ') + "inside"}));
}

TEST_F(TraceTest, MessageTrimsTheWindowAtAThousandLines) {
  Ttrace_obj& t = fresh();
  for (int i = 0; i < 1000; ++i) g.trace_window->add_line("line " + std::to_string(i));
  t.Message("after");
  EXPECT_EQ(g.trace_window->line_count(), 900u);
  EXPECT_EQ(g.trace_window->Screen_Output().front(), "line 101");
  EXPECT_EQ(g.trace_window->Screen_Output().back(), "0: after");
}

TEST_F(TraceTest, TickEstimatesRemainingTimeAndPercentage) {
  Ttrace_obj& t = fresh();
  platform.fix_clock({2005, 7, 3, 10, 0, 0, 0});
  t.Tick("Executing Procedure: step", 8);
  const TProgressForm& f = t.progress_form();
  EXPECT_EQ(f.Caption, "Program Status");
  EXPECT_EQ(f.ProgressBar.Max, 8);
  EXPECT_EQ(f.PctLeftLabel.caption, "% Complete: 0");
  EXPECT_EQ(f.TimeRemainingLabel.caption, "Estimated Time Remaining: unknown");
  EXPECT_EQ(t.count(), 0);

  platform.fix_clock({2005, 7, 3, 10, 0, 10, 0});  // 10 s for the first step
  t.Tick("Executing Procedure: step", 8);
  EXPECT_EQ(f.TimeRemainingLabel.caption, "Estimated Time Remaining: 00:01:10");
  EXPECT_EQ(f.PctLeftLabel.caption, "% Complete: 12");  // 12.5 rounds to even

  for (int i = 0; i < 6; ++i) t.Tick("Executing Procedure: step", 8);
  EXPECT_EQ(t.count(), 7);                              // eight calls count seven steps
  EXPECT_EQ(f.PctLeftLabel.caption, "% Complete: 88");  // 87.5 rounds to even
}

TEST_F(TraceTest, TickWithoutTotalShowsUnknown) {
  Ttrace_obj& t = fresh();
  t.Tick("a", 0);
  EXPECT_EQ(t.progress_form().ProgressBar.Max, 5000);
  t.Tick("b", 0);
  EXPECT_EQ(t.progress_form().TimeRemainingLabel.caption, "Estimated Time Remaining: unknown");
  EXPECT_EQ(t.progress_form().PctLeftLabel.caption, "% Complete: ?");
}

TEST_F(TraceTest, RunPastMidnightShowsZeroAndLongEstimatesWrapAtADay) {
  Ttrace_obj& t = fresh();
  platform.fix_clock({2005, 7, 3, 23, 59, 50, 0});
  t.Tick("a", 100);
  platform.fix_clock({2005, 7, 4, 0, 0, 10, 0});
  t.Tick("a", 100);
  EXPECT_EQ(t.progress_form().TimeRemainingLabel.caption, "Estimated Time Remaining: 00:00:00");

  EXPECT_EQ(format_remaining(1.5), "12:00:00");
  EXPECT_EQ(format_remaining(-0.25), "00:00:00");
  EXPECT_EQ(format_remaining(1.0 / 86400 * 3725), "01:02:05");
}

TEST_F(TraceTest, TickDoneStartsANewRun) {
  Ttrace_obj& t = fresh();
  t.Tick("a", 10);
  t.Tick("a", 10);
  t.TickDone();
  t.Tick("phase two", 3);
  EXPECT_EQ(t.count(), 0);
  EXPECT_EQ(t.progress_form().ProgressBar.Max, 3);
}

TEST_F(TraceTest, InterruptDuringTickExitsTheLocalTraceAndRaises) {
  session.main_frame->initialized = true;
  Ttrace_obj local(trace().GetLevel(), "Preparing for output procedures");
  int app_level = trace().GetLevel();
  local.Tick("work", 3);
  platform.set_pump_hook([this] {
    platform.set_pump_hook(nullptr);
    platform.script_answer("Interrupt");
    g.trace->progress_form().StopExecutionClick();
  });
  EXPECT_THROW(local.Tick("work", 3), EUserInterrupt);
  EXPECT_TRUE(g.user_interrupt);
  EXPECT_EQ(local.GetLevel(), app_level - 1);
  EXPECT_EQ(trace().GetLevel(), app_level);
  auto lines = trace_lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "1: Exiting trace due to user interrupt");
  EXPECT_EQ(lines.back(), "0");
  // The flag stays set: every later check raises again until a constructor clears it.
  EXPECT_THROW(trace().Message("next"), EUserInterrupt);
  Ttrace_obj cleared(0, "x");
  EXPECT_FALSE(g.user_interrupt);
}

TEST_F(TraceTest, ContinueInTheVerifyDialogClearsTheFlag) {
  session.main_frame->initialized = true;
  platform.script_answer("cancbut");
  trace().progress_form().StopExecutionClick();
  EXPECT_FALSE(g.user_interrupt);
  EXPECT_EQ(platform.shown().back().what, "TVerifyStopForm");
}

TEST_F(TraceTest, StopDuringStartUpDoesNothing) {
  Ttrace_obj t(0, "x");
  t.progress_form().FormShow();
  EXPECT_FALSE(t.progress_form().StopExecution.enabled);
  t.progress_form().StopExecutionClick();
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(TraceTest, PauseShowsItsMessage) {
  trace().progress_form().pausebuttonClick();
  EXPECT_EQ(messages(), std::vector<std::string>{"Pausing.  Push \"OK\" to resume execution"});
}

TEST_F(TraceTest, ProgressWindowIsCentredAndSteppedByLevel) {
  Ttrace_obj t(3, "Reading ");
  const TProgressForm& f = t.progress_form();
  EXPECT_EQ(f.Caption, "Reading ... trace_level=3");
  EXPECT_EQ(f.Left, 116 + 6);  // (535 - 302) / 2 = 116.5 rounds to even
  EXPECT_EQ(f.Top, 234 + 6);   // (576 - 107) / 2 = 234.5 rounds to even
  EXPECT_TRUE(f.visible);

  Ttrace_obj deep(21, "Deep ");
  EXPECT_EQ(deep.progress_form().Left, 116 + 40);
  EXPECT_NE(trace_lines().back().find("Trace level > 20 - check programming trace."),
            std::string::npos);
}

// A new trace and its progress window follow the frame the application
// trace was given, live, and keep it when its owner is gone.
TEST_F(TraceTest, ProgressWindowsFollowTheApplicationTracesFrame) {
  auto frame = std::make_shared<MainFrameState>();
  frame->Width = 1000;
  frame->Height = 800;
  frame->minimized = true;
  g.trace->set_main_frame(frame);
  Ttrace_obj placed(0, "x");
  EXPECT_EQ(placed.progress_form().Left, 349);  // (1000 - 302) / 2
  EXPECT_EQ(placed.progress_form().Top, 346);   // (800 - 107) / 2 = 346.5 rounds to even
  EXPECT_FALSE(placed.progress_form().window_state_normal);
  placed.progress_form().set_visible(false);
  placed.Tick("hidden while minimised", 2);
  EXPECT_FALSE(placed.progress_form().visible);

  placed.progress_form().FormShow();
  EXPECT_FALSE(placed.progress_form().StopExecution.enabled);
  frame->initialized = true;
  placed.progress_form().FormShow();
  EXPECT_TRUE(placed.progress_form().StopExecution.enabled);

  frame.reset();  // the session that owned it ended
  Ttrace_obj later(0, "y");
  EXPECT_EQ(later.progress_form().Left, 349);
  later.progress_form().FormShow();
  EXPECT_TRUE(later.progress_form().StopExecution.enabled);
}

TEST_F(TraceTest, BarStartWidensTheFormForALongStepText) {
  Ttrace_obj t(0, "x");
  t.Tick(std::string(80, 'x'), 5);  // 400 pixels of text
  EXPECT_EQ(t.progress_form().Width, 7 + 400 + 10);
  EXPECT_EQ(t.progress_form().Height, 13 + 20 + 13 + 20 + 80);
  t.TickDone();
  t.Tick("short", 5);
  EXPECT_EQ(t.progress_form().Width, 286 + 40);
}

}  // namespace
}  // namespace tandrel
