// The diagnostics' windows as a widget mirror sees them: only through their
// signals, never by polling.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/ErrorDialog.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/ProgressForm.h"
#include "diagnostics/Trace.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using WindowSignals = test::GlobalsFixture;

// What a list widget showing the memo would hold.
struct MemoMirror {
  explicit MemoMirror(Toutputwindow& window)
      : lines(window.Screen_Output().begin(), window.Screen_Output().end()),
        added(window.line_added.connect([this](const std::string& l) { lines.push_back(l); })),
        removed(window.lines_removed.connect([this](std::size_t n) {
          lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(n));
        })),
        cleared(window.cleared.connect([this] { lines.clear(); })) {}

  std::deque<std::string> lines;
  Connection added, removed, cleared;
};

TEST_F(WindowSignals, AMirrorOfTheTraceWindowFollowsTwelveHundredLinesAndTheTrim) {
  Toutputwindow& window = *g.trace_window;
  MemoMirror mirror(window);
  for (int i = 0; i < 1200; ++i) trace().Message("line " + std::to_string(i));
  EXPECT_LE(window.line_count(), 1000u) << "the trace trims its window";
  EXPECT_EQ(mirror.lines, window.Screen_Output());
  window.clear();
  window.add_line("after");
  EXPECT_EQ(mirror.lines, window.Screen_Output());
}

TEST_F(WindowSignals, ShowAndHideAreToldOnlyWhenTheyChangeSomething) {
  Toutputwindow& window = *g.output_window;
  int told = 0;
  Connection c = window.visibility_changed.connect([&] { ++told; });
  window.show();
  window.show();
  window.hide();
  window.hide();
  EXPECT_EQ(told, 2);
}

// A progress window's whole life, as a front end follows it from the
// process's announcement.
TEST_F(WindowSignals, EveryProgressWindowIsAnnouncedAndTellsItsLife) {
  std::vector<std::string> events;
  std::vector<Connection> per_window;
  Connection created = g.progress_window_created.connect([&](TProgressForm& form) {
    events.push_back("created " + form.Caption);
    per_window.push_back(form.shown.connect([&] { events.push_back("shown"); }));
    per_window.push_back(form.hidden.connect([&] { events.push_back("hidden"); }));
    per_window.push_back(form.changed.connect(
        [&events, &form] { events.push_back("changed " + form.ProcedureLabel.caption); }));
    per_window.push_back(form.destroyed.connect([&] { events.push_back("destroyed"); }));
  });
  {
    Ttrace_obj local(3, "Counting");
    local.HideProgress();
    local.Tick("step", 2);
    local.Tick("step", 2);
    local.Exit("done");
  }
  EXPECT_EQ(events,
            (std::vector<std::string>{"created Counting... trace_level=3", "hidden", "shown",
                                      "changed step", "changed step", "hidden", "destroyed"}));
  for (const Connection& c : per_window) EXPECT_FALSE(c.connected());
}

TEST_F(WindowSignals, TheErrorDialogListsItsButtonsForAMirror) {
  g.error_dialog->IgnoreButton.enabled = false;
  std::vector<std::string> listed;
  for (const platform::DialogButton& b : g.error_dialog->buttons())
    listed.push_back(b.id + "|" + b.caption + "|" + (b.enabled ? "on" : "off") +
                     (b.is_default ? "|default" : "") + (b.is_cancel ? "|cancel" : ""));
  EXPECT_EQ(listed,
            (std::vector<std::string>{"AbortButton|&Abort|on|default",
                                      "IgnoreButton|&Ignore|off|cancel", "HelpButton|&Help|on"}));
  EXPECT_EQ(g.error_dialog->caption(), "Error");
}

// Abort under a widget toolkit: the press returns, the dialog closes, and
// the program ends only once the modal loop is over.
TEST_F(WindowSignals, AbortClosesTheDialogAndTheProgramEndsAfterTheModalLoop) {
  open_error_log();
  bool pressed_returned = false;
  platform.script_action([&](platform::ModalDialog& d) {
    EXPECT_NO_THROW(EXPECT_TRUE(d.press("AbortButton")));
    pressed_returned = true;
    EXPECT_FALSE(d.is_showing());
  });
  try {
    g.error_dialog->HaveError("Bad");
    FAIL() << "Abort must end the program";
  } catch (const platform::ProgramEnded& e) {
    EXPECT_EQ(e.status, platform::kExitAborted);
  }
  EXPECT_TRUE(pressed_returned);
}

TEST_F(WindowSignals, AScriptedAnswerNamingNoEnabledButtonFailsInsteadOfClosing) {
  for (const char* wrong : {"Abort", "Ignore", "NoSuchButton"}) {
    platform.script_answer(wrong);
    EXPECT_THROW(g.error_dialog->HaveError("x"), std::logic_error) << wrong;
  }
  g.error_dialog->IgnoreButton.enabled = false;
  platform.script_answer("IgnoreButton");
  EXPECT_THROW(g.error_dialog->HaveError("x"), std::logic_error);
}

}  // namespace
}  // namespace tandrel
