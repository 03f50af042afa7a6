// The message at the end of a run from the main window: what it says after
// a run that wrote, one that was stopped and one that failed, and what its
// buttons open.
#include "ui/RunEndMessage.h"

#include <gtest/gtest.h>

#include "support/GlobalsFixture.h"

namespace tandrel::test {
namespace {

using D = output_destination_type;

RunResult written(int cases) {
  RunResult r;
  r.output_written = true;
  r.cases_written = cases;
  return r;
}

RunResult stopped() {
  RunResult r;
  r.interrupted = true;
  return r;
}

RunResult failed(std::string reason) {
  RunResult r;
  r.failure = std::move(reason);
  return r;
}

const std::vector<RunFile> kFiles{{"/data/out/s5.csv", "the data file"},
                                  {"/data/out/s5.dta", "the Stata data file"},
                                  {"/elsewhere/s5.do", "the Stata command file"}};

struct TextCase {
  const char* name;
  RunEnd end;
  std::string text;
};

const TextCase kTexts[] = {
    {"FilesBesideTheDataFileByNameOthersByPath",
     {written(12408), D::DestFile, kFiles, "/log/error.log"},
     "Output Complete!\n\n12,408 cases written.\nFiles in /data/out:\n  s5.csv (the data file)\n"
     "  s5.dta (the Stata data file)\n  /elsewhere/s5.do (the Stata command file)"},
    {"OneCase",
     {written(1), D::DestFile, {kFiles.front()}, ""},
     "Output Complete!\n\n1 case written.\nFiles in /data/out:\n  s5.csv (the data file)"},
    {"Screen",
     {written(7), D::DestScreen, {}, ""},
     "Output Complete!\n\n7 cases written to the output window."},
    {"Printer",
     {written(0), D::DestPrinter, {}, ""},
     "Output Complete!\n\n0 cases sent to the printer."},
    {"StoppedKeepsTheFiles",
     {stopped(), D::DestFile, kFiles, "/log/error.log"},
     "Output NOT completed: the run was stopped by the user.\n\n"
     "The files written before this run were kept as they were."},
    {"StoppedOnScreen",
     {stopped(), D::DestScreen, {}, "/log/error.log"},
     "Output NOT completed: the run was stopped by the user."},
    {"FailedGivesTheReasonAndTheLog",
     {failed("Cannot create /gone/s5.csv: No such file or directory"), D::DestFile, kFiles,
      "/log/error.log"},
     "Output NOT completed: Cannot create /gone/s5.csv: No such file or directory.\n\n"
     "The error log holds the details:\n  /log/error.log"},
    {"FailedWithoutAReason",
     {failed(""), D::DestPrinter, {}, ""},
     "Output NOT completed: the output could not be opened or written."},
};

class RunEndText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RunEndText, SaysWhatWasWrittenOrWhyNot) {
  EXPECT_EQ(run_end_text(GetParam().end), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Ends, RunEndText, ::testing::ValuesIn(kTexts),
                         [](const auto& info) { return std::string(info.param.name); });

class RunEndDialog : public GlobalsFixture {
 protected:
  std::vector<std::string> button_ids(const TRunEndDialog& dialog) {
    std::vector<std::string> ids;
    for (const auto& b : dialog.buttons()) ids.push_back(b.id);
    return ids;
  }
};

TEST_F(RunEndDialog, OpenFolderOpensTheFolderOfTheFilesAndLeavesTheMessageUp) {
  TRunEndDialog dialog({written(3), D::DestFile, kFiles, "/log/error.log"});
  EXPECT_EQ(button_ids(dialog), (std::vector<std::string>{"OKButton", "OpenFolderButton"}));
  dialog.set_showing(true);
  dialog.press("OpenFolderButton");
  EXPECT_EQ(platform.opened_documents(), std::vector<std::string>{"/data/out"});
  EXPECT_TRUE(dialog.is_showing());
  dialog.press("OKButton");
  EXPECT_FALSE(dialog.is_showing());
}

TEST_F(RunEndDialog, AFailureOffersTheErrorLog) {
  TRunEndDialog dialog({failed("No space left on device"), D::DestFile, kFiles, "/log/e.log"});
  EXPECT_EQ(button_ids(dialog), (std::vector<std::string>{"OKButton", "OpenLogButton"}));
  dialog.set_showing(true);
  dialog.press("OpenLogButton");
  EXPECT_EQ(platform.opened_documents(), std::vector<std::string>{"/log/e.log"});
}

TEST_F(RunEndDialog, AStoppedRunOrOneToTheScreenHasOnlyOK) {
  EXPECT_EQ(button_ids(TRunEndDialog({stopped(), D::DestFile, kFiles, "/log/e.log"})),
            std::vector<std::string>{"OKButton"});
  EXPECT_EQ(button_ids(TRunEndDialog({written(2), D::DestScreen, {}, "/log/e.log"})),
            std::vector<std::string>{"OKButton"});
}

}  // namespace
}  // namespace tandrel::test
