#include <gtest/gtest.h>

#include "diagnostics/Error.h"
#include "diagnostics/ErrorDialog.h"
#include "process/ErrorLog.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using test::GlobalsFixture;

TEST(ErrorLogFormat, HeaderPadsHourMonthAndDayButNotMinute) {
  platform::DateTime t{2005, 7, 3, 9, 5, 0, 0};
  EXPECT_EQ(error_log_header(t),
            "Cumulative error log for Tandrel program.  Log initially created at  9:5 on  7/ "
            "3/2005");
  platform::DateTime late{2012, 12, 24, 14, 45, 0, 0};
  EXPECT_EQ(error_log_header(late).substr(68), "14:45 on 12/24/2012");
}

TEST(ErrorLogFormat, TimeStampUsesTwelveHourClockAndFullMonth) {
  EXPECT_EQ(error_time_stamp({2005, 7, 3, 15, 7, 0, 0}), "3:07 pm, July 3, 2005");
  EXPECT_EQ(error_time_stamp({2005, 1, 31, 0, 0, 0, 0}), "12:00 am, January 31, 2005");
  EXPECT_EQ(error_time_stamp({2005, 12, 1, 12, 59, 0, 0}), "12:59 pm, December 1, 2005");
  EXPECT_EQ(error_time_stamp({2005, 9, 9, 9, 5, 0, 0}), "9:05 am, September 9, 2005");
}

class ErrorProcedure : public GlobalsFixture {};

TEST_F(ErrorProcedure, CreatedLogStartsWithHeaderAndEmptyLine) {
  platform.fix_clock({2005, 7, 3, 9, 5, 0, 0});
  open_error_log();
  EXPECT_EQ(error_log_text(),
            "Cumulative error log for Tandrel program.  Log initially created at  9:5 on  7/ "
            "3/2005\n\n");
}

TEST_F(ErrorProcedure, LevelZeroReportWritesLogAndTraceOnly) {
  open_error_log();
  auto before = trace_lines().size();
  error("Something odd happened.", 0, noncritical);
  std::string log = error_log_text();
  EXPECT_NE(log.find("\n\nError at 3:07 pm, July 3, 2005  \nSomething odd happened.\n" +
                     std::string(49, '-') + "\n"),
            std::string::npos);
  auto lines = trace_lines();
  ASSERT_EQ(lines.size(), before + 3);
  EXPECT_EQ(lines[before], "1:   Error at 3:07 pm, July 3, 2005");
  EXPECT_EQ(lines[before + 1], "1:   Something odd happened.");
  EXPECT_EQ(lines[before + 2], "1:   Non-critical Error - continuing program.");
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(ErrorProcedure, ShownReportCarriesStampMessageAndActionSuffix) {
  open_error_log();
  platform.script_answer("Ignore");
  error("Bad value", 1, noncritical);
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].what, "TErrorDialog");
  EXPECT_EQ(platform.shown()[0].text,
            "Error at 3:07 pm, July 3, 2005:  Bad value.  Non-critical Error - program can "
            "continue.");
}

TEST_F(ErrorProcedure, CriticalReportOffersOnlyAbortWhichEndsTheProgram) {
  open_error_log();
  try {
    error("Fatal", 2, critical);
    FAIL() << "Abort must end the program";
  } catch (const platform::ProgramEnded& e) {
    EXPECT_EQ(e.status, platform::kExitAborted);
  }
  EXPECT_FALSE(g.error_dialog->IgnoreButton.enabled);
  EXPECT_NE(platform.shown()[0].text.find("  Critical Error - halting processor and program run."),
            std::string::npos);
  EXPECT_NE(trace_lines().back().find("Critical Error - halting processor and program run."),
            std::string::npos);
}

TEST_F(ErrorProcedure, IgnoreStateCarriesOverBetweenReports) {
  open_error_log();
  error("critical but unshown", 0, critical);
  EXPECT_FALSE(g.error_dialog->IgnoreButton.enabled);
  error("bad action", 0, 7);  // an invalid action type leaves Ignore as it was
  EXPECT_FALSE(g.error_dialog->IgnoreButton.enabled);
  EXPECT_NE(trace_lines().back().find("Error in \"error\" procedure - invalid action type passed."),
            std::string::npos);
  platform.script_answer("Ignore");
  error("now noncritical", 1, noncritical);
  EXPECT_TRUE(g.error_dialog->IgnoreButton.enabled);
  EXPECT_FALSE(g.error_dialog->is_showing());
}

TEST_F(ErrorProcedure, HelpShowsExplanationAndKeepsDialogOpen) {
  open_error_log();
  platform.script_answer("Help");
  platform.script_answer("Ignore");
  error("x", 1, noncritical);
  ASSERT_EQ(platform.shown().size(), 2u);
  EXPECT_EQ(platform.shown()[1].text,
            "The program has encountered an error.  Press \"Ignore\" to continue "
            "execution.Press \"Abort\" to stop this run of Tandrel.");
}

TEST_F(ErrorProcedure, NoLogFileDropsTheReportEntirely) {
  g.configuration.error_file_name = dir.file("missing.log");
  auto before = trace_lines().size();
  error("lost", 5, critical);
  EXPECT_EQ(trace_lines().size(), before);
  EXPECT_TRUE(platform.shown().empty());
}

}  // namespace
}  // namespace tandrel
