#include <gtest/gtest.h>

#include "diagnostics/ErrorDialog.h"
#include "process/Exceptions.h"
#include "reference/CcodeIndex.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

constexpr const char* kHeading = "stateabb,ccode,statenme\n";

class CcodeIndex : public test::GlobalsFixture {
 protected:
  Tccode_index_obj read(const std::string& lines) {
    return Tccode_index_obj(dir.write("states.csv", kHeading + lines));
  }
  // Lets a critical report return instead of ending the program.
  void let_critical_report_return() {
    platform.script_action([](platform::ModalDialog& d) { d.set_showing(false); });
  }
};

TEST_F(CcodeIndex, NumbersCodesInOrderOfFirstAppearance) {
  auto index = read("USA,2,A\r\nCUB,40,B\r\nCUB,40,B\r\nGMY,255,C\r\nUSA,2,again\r\n");
  EXPECT_EQ(index.index(2), 1);
  EXPECT_EQ(index.index(40), 2);
  EXPECT_EQ(index.index(255), 3);
  EXPECT_EQ(index.code_of(3), 255);
  EXPECT_EQ(index.code_of(4), -1);
  EXPECT_EQ(index.code_of(-1), -1);
  for (int unknown : {-1, 0, 3, 1000, -99, 1001, 32000}) EXPECT_EQ(index.index(unknown), -1);
  EXPECT_EQ(trace_lines(),
            (std::vector<std::string>{"1: Creating Forms and Initializing",
                                      "2:   Initializing ccode_index",
                                      "2:   Completed initializing ccode_index", "1"}));
}

TEST_F(CcodeIndex, CodeOutsideItsRangeOrThe251stCodeRaisesWithoutReport) {
  open_error_log();
  std::string codes;
  for (int code = 1; code <= 250; ++code) codes += "ABC," + std::to_string(code) + ",N\n";
  EXPECT_EQ(read(codes).code_of(250), 250);
  for (const std::string& lines : {codes + "ABC,999,N\n", std::string("A,2\nB,1001\n"),
                                   std::string("B,-2\n"), std::string("B,-99\n")}) {
    EXPECT_THROW(read(lines), ERangeError);
    EXPECT_EQ(trace_lines().end()[-2], "2:   Completed initializing ccode_index");
  }
  EXPECT_EQ(error_log_text().find("Error at"), std::string::npos);
}

TEST_F(CcodeIndex, MissingFileIsReportedAsCriticalAndRaisedAgain) {
  open_error_log();
  let_critical_report_return();
  const std::string name = dir.file("absent.csv");
  EXPECT_THROW(Tccode_index_obj{name}, EInOutError);
  EXPECT_NE(error_log_text().find("Error opening file \"" + name +
                                  "\".  File could not be opened for input.  File may be in use "
                                  "by another program, or may be missing.\n"),
            std::string::npos);
  EXPECT_FALSE(g.error_dialog->IgnoreButton.enabled);
  EXPECT_EQ(trace_lines()[trace_lines().size() - 2], "2:   Completed initializing ccode_index");
}

TEST_F(CcodeIndex, LookupsBeforeInitializationReportAndAnswerMinusOne) {
  open_error_log();
  Tccode_index_obj index;
  let_critical_report_return();
  EXPECT_EQ(index.index(2), -1);
  EXPECT_NE(error_log_text().find("\nCalled ccode_index.index before initialization\n"),
            std::string::npos);
  EXPECT_EQ(platform.shown().size(), 1u);
}

}  // namespace
}  // namespace tandrel
