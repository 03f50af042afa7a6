// Screen output of tandrel-batch is standard output. When the lines cannot
// be written there they are lost, and the run must not claim to be complete.

#include <gtest/gtest.h>

#include "golden/GoldenRun.h"

namespace tandrel::test {
namespace {

TEST(GoldenScreenFailure, LostScreenLinesAreNotReportedAsComplete) {
  GoldenWorkspace work("basic");
  const BatchResult run =
      work.run({"--unit", "group", "--vars", "protest", "--no-missing-cases"}, "/dev/full");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err.find("Output Complete!"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tandrel::test
