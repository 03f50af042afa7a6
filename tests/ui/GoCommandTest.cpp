// Go from the main window: the final choice of variables, the run, and the
// window's lock.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "diagnostics/OutputWindow.h"
#include "process/Exceptions.h"
#include "run/CreationRun.h"
#include "ui/MainWindowFixture.h"

namespace tandrel {
namespace {

using Names = std::vector<std::string>;

class GoCommand : public test::MainWindowFixture {
 protected:
  GoCommand() { start(); }

  std::vector<bool> lock_state() {
    TGenerateForm& f = form();
    return {f.SelectionTabs.enabled, f.CreateDataSetButton.enabled, f.ExitBtn.enabled,
            f.FileMenu.enabled, f.CreateDataSetMenu.enabled};
  }
  // The first line of the message at the end of the last run.
  std::string run_end() const {
    for (auto it = platform.shown().rbegin(); it != platform.shown().rend(); ++it)
      if (it->what == "RunEndDialog") return it->text.substr(0, it->text.find('\n'));
    return "no end-of-run message";
  }
  bool traced(const std::string& text) const {
    const auto lines = trace_lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
  }
};

TEST_F(GoCommand, TheRunAlwaysGetsTheIdentifierVariablesButNeverDiaspora) {
  form().UnselectAllButton.click();
  for (VariableBox& b : form().VarCheckBoxes) b.checked = false;
  box_of("diaspora").checked = true;
  form().VarBoxClick(box("v1"));
  form().CreateDataSetButton.click();
  EXPECT_EQ(names(sel().variable_selections.variable_columns),
            (Names{"numcode", "group", "year", "ccode", "region", "v1"}));
  EXPECT_FALSE(box_of("diaspora").checked || box_of("diaspora").enabled);
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_TRUE(form().LastRun->output_written);
  EXPECT_EQ(run_end(), "Output Complete!");
  EXPECT_TRUE(
      traced("Go Button clicked:  processing user selections for output and creating "
             "output file."));
  EXPECT_TRUE(traced("Exited click of \"Go\" Button: selections have been output."));
  EXPECT_EQ(lock_state(), std::vector<bool>(5, true));
}

// Go once wrote the data set over the installation's own data file and
// said "Output Complete!"; the next start then failed.
TEST_F(GoCommand, ADataFileOverAnInstallationFileIsRefusedAndNothingWritten) {
  const std::string data_file = session.description->get_data_file_name(0);
  const std::string before = test::read_file(data_file);
  platform.script_save_file(data_file);
  form().ToFileRadioDial.click();
  form().CreateDataSetButton.click();
  EXPECT_EQ(test::read_file(data_file), before);
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_FALSE(form().LastRun->output_written);
  const std::string refusal = data_file +
                              " is the Kivora data file of this installation; choose another "
                              "output file.";
  EXPECT_NE(error_log_text().find(refusal), std::string::npos);
  // One message, with the reason.
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(run_end(), "Output NOT completed: " + refusal + ".");
}

// A command file that could not be written once left the run "complete".
TEST_F(GoCommand, ACommandFileThatCannotBeWrittenFailsTheRunAndKeepsTheEarlierFiles) {
  const std::string data_file = dir.write("out.csv", "earlier data");
  std::filesystem::create_directory(data_file + ".do");  // the Stata file cannot take its name
  platform.script_save_file(data_file);
  form().ToFileRadioDial.click();
  form().StataCommandFileCheckBox.click();
  form().CreateDataSetButton.click();  // the save dialog asked before replacing
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_FALSE(form().LastRun->output_written);
  EXPECT_EQ(run_end().rfind("Output NOT completed: ", 0), 0u) << run_end();
  EXPECT_EQ(test::read_file(data_file), "earlier data");
  for (const auto& item : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(item.path().string().find(".tandrel-"), std::string::npos) << item.path();
}

// A missing output folder once gave three dialogs in a row, and the real
// reason was only in the log, which no message named.
TEST_F(GoCommand, AMissingFolderGivesOneMessageWithTheReasonAndTheLog) {
  platform.script_save_file(dir.file("gone/out.csv"));
  form().ToFileRadioDial.click();
  platform.clear_shown();
  form().CreateDataSetButton.click();
  EXPECT_FALSE(form().LastRun->output_written);
  ASSERT_EQ(platform.shown().size(), 1u) << platform.shown().front().what;
  EXPECT_EQ(platform.shown().front().what, "RunEndDialog");
  const std::string& text = platform.shown().front().text;
  EXPECT_EQ(text.rfind("Output NOT completed: ", 0), 0u) << text;
  EXPECT_NE(text.find("No such file or directory"), std::string::npos) << text;
  EXPECT_NE(text.find(g.configuration.error_file_name), std::string::npos) << text;
  EXPECT_NE(error_log_text().find("Trouble opening/writing to output file."), std::string::npos);
}

TEST_F(GoCommand, TracesTheChoicesTheUnitKeepsButTheRunPassesOver) {
  form().NonKivGroupCheckBox.click();
  form().PhysRegionButton.click();
  form().CreateDataSetButton.click();
  EXPECT_TRUE(
      traced("Passed over: Control cases exist only for the group and state units, not "
             "for the region unit."));
  EXPECT_EQ(run_end(), "Output Complete!");
}

struct LimdepCase {
  const char* name;
  bool to_file;
  bool label_kept;
};

class GoLimdepStrings : public GoCommand, public ::testing::WithParamInterface<LimdepCase> {};

TEST_P(GoLimdepStrings, AStringVariableIsDroppedOnlyForALimdepDataFile) {
  platform.script_save_file(dir.file("out.csv"));
  form().ToFileRadioDial.click();
  form().LIMDEPCommandFileCheckBox.click();
  if (!GetParam().to_file) form().ToScreenRadioDial.click();
  form().VarBoxClick(box("label"));
  platform.clear_shown();
  form().CreateDataSetButton.click();
  EXPECT_EQ(box_of("label").checked, GetParam().label_kept);
  const auto& columns = sel().variable_selections.variable_columns;
  const Names chosen = names(columns);
  EXPECT_EQ(std::count(chosen.begin(), chosen.end(), "label"), GetParam().label_kept ? 1 : 0);
  EXPECT_EQ(shown("TErrorDialog"), GetParam().to_file);
  const std::string report =
      "(variable \"label\").  LIMDEP cannot process string variables.  The variable will be "
      "deselected and will not appear in this output data set.";
  EXPECT_EQ(error_log_text().find(report) != std::string::npos, GetParam().to_file);
}

INSTANTIATE_TEST_SUITE_P(Destinations, GoLimdepStrings,
                         ::testing::Values(LimdepCase{"File", true, false},
                                           LimdepCase{"Screen", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoCommand, AnInterruptedRunUnlocksTheWindowAndGoesOn) {
  std::vector<std::vector<bool>> seen;
  platform.set_pump_hook([&] {
    seen.push_back(lock_state());
    form().CreateNow1.click();  // no second run from inside the first
    form().LoadSettings1.click();
    g.user_interrupt = true;
  });
  EXPECT_NO_THROW(form().CreateDataSetButton.click());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), std::vector<bool>(5, false));
  EXPECT_EQ(lock_state(), std::vector<bool>(5, true));
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_TRUE(form().LastRun->interrupted);
  EXPECT_FALSE(form().LastRun->output_written);
  EXPECT_FALSE(form().Running());
  EXPECT_FALSE(form().end_requested().has_value());
  EXPECT_FALSE(traced("Exited click of \"Go\" Button"));
  const auto lines = trace_lines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) {
                            return l.find("Go Button clicked") != std::string::npos;
                          }),
            1);
  const auto shown_messages = messages();
  EXPECT_TRUE(std::none_of(shown_messages.begin(), shown_messages.end(), [](const std::string& m) {
    return m.find("Settings") != std::string::npos;
  })) << "no settings were loaded meanwhile";
}

// Go once replaced an earlier data file without a word. It asks once for a
// file this session did not write, and No leaves every file as it was.
TEST_F(GoCommand, ReplacingAFileTheSessionDidNotWriteIsAskedOnce) {
  // A name kept from an earlier session: the save dialog never asked.
  platform.script_save_file(dir.file("states5.csv"));
  form().ToFileRadioDial.click();
  const std::string data_file = dir.write("states5.csv", "earlier data");
  auto questions = [&] {
    return std::count_if(platform.shown().begin(), platform.shown().end(),
                         [](const auto& s) { return s.what == "ReplaceQuestion"; });
  };
  platform.clear_shown();
  platform.script_answer("NoButton");
  form().CreateDataSetButton.click();
  EXPECT_FALSE(form().LastRun.has_value());
  EXPECT_EQ(test::read_file(data_file), "earlier data");
  ASSERT_EQ(questions(), 1);
  EXPECT_EQ(platform.shown().front().text, "Replace states5.csv and its command files?");

  platform.script_answer("YesButton");
  form().CreateDataSetButton.click();
  ASSERT_TRUE(form().LastRun.has_value());
  EXPECT_TRUE(form().LastRun->output_written);
  EXPECT_NE(test::read_file(data_file), "earlier data");
  // The session wrote it: a second Go replaces it without a question.
  form().CreateDataSetButton.click();
  EXPECT_TRUE(form().LastRun->output_written);
  EXPECT_EQ(questions(), 2);
}

}  // namespace
}  // namespace tandrel
