// The count of cases and columns beside the status line: its wording, and
// that it follows the main window's selections.
#include "ui/RunShapeLine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ui/MainWindowFixture.h"

namespace tandrel::test {
namespace {

TEST(RunShapeText, GroupsThousandsAndSaysOneAsOne) {
  const struct {
    RunShape shape;
    const char* text;
  } rows[] = {
      {{12408, 87}, "12,408 cases \u00d7 87 columns"},
      {{1, 1}, "1 case \u00d7 1 column"},
      {{0, 0}, "0 cases \u00d7 0 columns"},
      {{226226, 1204}, "226,226 cases \u00d7 1,204 columns"},
      {{1000000, 999}, "1,000,000 cases \u00d7 999 columns"},
  };
  for (const auto& row : rows) EXPECT_EQ(run_shape_text(row.shape), row.text);
}

class RunShapeWindow : public MainWindowFixture {};

// Three groups (two in the United States, one in Canada) in 1990 and
// 1991; Mexico has no groups.
TEST_F(RunShapeWindow, FollowsTheUnitAndTheControlCases) {
  start();
  TGenerateForm& f = form();
  TRunShapeLine line;
  f.PhysGrpButton.click();
  const std::string groups = line.text(f);
  EXPECT_EQ(groups.rfind("6 cases \u00d7 ", 0), 0u) << groups;
  f.PhysStateButton.click();
  const std::string states = line.text(f);
  EXPECT_EQ(states.rfind("4 cases \u00d7 ", 0), 0u) << states;
  EXPECT_NE(states, groups) << "two groups of one state merge: more columns";
  f.NonKivGroupCheckBox.click();
  // Mexico as a control state in every year of the data, 1945 to 2003.
  const std::string controls = line.text(f);
  EXPECT_EQ(controls.rfind(std::to_string(4 + 59) + " cases \u00d7 ", 0), 0u) << controls;
  EXPECT_TRUE(messages().empty());
}

// Go tells the user it drops a text variable a LIMDEP file cannot take;
// the count, made on every change, takes the same rule and tells nothing.
TEST_F(RunShapeWindow, TakesGosVariableRulesWithoutItsReports) {
  start();
  sel().output_format.command_files.include(command_file_type::CmdLIMDEP);
  sel().output_format.destination = output_destination_type::DestFile;
  sel().output_format.output_file_name = dir.file("out.csv");
  box_of("label").checked = true;
  TRunShapeLine line;
  platform.clear_shown();
  const std::string text = line.text(form());
  EXPECT_EQ(text.rfind("6 cases \u00d7 ", 0), 0u) << text;
  EXPECT_EQ(error_log_text().find("LIMDEP cannot process"), std::string::npos);
  EXPECT_FALSE(shown("TErrorDialog"));
  EXPECT_TRUE(box_of("label").checked) << "the window's own boxes stay as they are";
}

TEST_F(RunShapeWindow, SaysPlainlyWhenTheDataFileCannotBeRead) {
  start();
  std::filesystem::remove(dir.file("kivdata.csv"));
  TRunShapeLine line;
  EXPECT_EQ(line.text(form()),
            "Cases and columns: cannot be counted, the data file cannot be read");
  form().PhysStateButton.click();
  EXPECT_EQ(line.text(form()),
            "Cases and columns: cannot be counted, the data file cannot be read");
  EXPECT_TRUE(messages().empty()) << "the count is no reason for a message box";
}

}  // namespace
}  // namespace tandrel::test
