// The command line: what each mode accepts and the exact complaints.
#include <gtest/gtest.h>

#include "kivgen/Options.h"

namespace kivgen {
namespace {

TEST(KivgenOptions, SampleTakesItsDirectoryStatesAndSeed) {
  const Command c =
      parse_command_line({"sample", "--out", "d", "--states", "s.csv", "--seed", "5"});
  const auto& o = std::get<SampleOptions>(c);
  EXPECT_EQ(o.out_dir, "d");
  EXPECT_EQ(o.states_file, "s.csv");
  EXPECT_EQ(o.seed, 5u);
  EXPECT_EQ(std::get<SampleOptions>(parse_command_line({"sample", "--out", "d"})).seed,
            kSampleSeed);
}

TEST(KivgenOptions, BenchDefaultsToTheLargestYearRange) {
  const auto o = std::get<BenchOptions>(parse_command_line({"bench", "--out", "b"}));
  EXPECT_EQ(o.groups, 1000);
  EXPECT_EQ(o.first_year, 1800);
  EXPECT_EQ(o.last_year, 2025);
  EXPECT_EQ(o.variables, 200);
  EXPECT_EQ(o.seed, kBenchSeed);
}

TEST(KivgenOptions, BenchAcceptsTheLimitsThemselves) {
  const auto o = std::get<BenchOptions>(parse_command_line(
      {"bench", "--out", "b", "--groups", "1001", "--vars", "1500", "--years", "2025:2025"}));
  EXPECT_EQ(o.groups, 1001);
  EXPECT_EQ(o.variables, 1500);
  EXPECT_EQ(o.first_year, 2025);
  EXPECT_EQ(o.last_year, 2025);
}

TEST(KivgenOptions, HelpWinsOverEverythingElse) {
  EXPECT_TRUE(std::holds_alternative<HelpRequest>(parse_command_line({"bench", "--help"})));
  EXPECT_TRUE(std::holds_alternative<HelpRequest>(parse_command_line({"-h"})));
}

struct BadLine {
  std::vector<std::string> args;
  const char* message;
};

TEST(KivgenOptions, BadCommandLinesSayWhatIsWrong) {
  const BadLine cases[] = {
      {{}, "no mode given: sample or bench"},
      {{"samples", "--out", "d"}, "unknown mode samples"},
      {{"sample"}, "--out DIR is required"},
      {{"sample", "--out"}, "option --out needs a value"},
      {{"sample", "--out", "d", "--groups", "5"}, "unknown option --groups for sample"},
      {{"bench", "--out", "d", "--states", "s"}, "unknown option --states for bench"},
      {{"bench", "--out", "d", "--groups", "0"}, "--groups must be a whole number from 1 to 1001"},
      {{"bench", "--out", "d", "--groups", "1002"},
       "--groups must be a whole number from 1 to 1001"},
      {{"bench", "--out", "d", "--groups", "12x"},
       "--groups must be a whole number from 1 to 1001"},
      {{"bench", "--out", "d", "--vars", "5"}, "--vars must be a whole number from 6 to 1500"},
      {{"bench", "--out", "d", "--vars", "1501"}, "--vars must be a whole number from 6 to 1500"},
      {{"bench", "--out", "d", "--years", "1799:1900"},
       "--years must be FIRST:LAST with 1800 <= FIRST <= LAST <= 2025"},
      {{"bench", "--out", "d", "--years", "1900:1899"},
       "--years must be FIRST:LAST with 1800 <= FIRST <= LAST <= 2025"},
      {{"bench", "--out", "d", "--years", "1900"},
       "--years must be FIRST:LAST with 1800 <= FIRST <= LAST <= 2025"},
      {{"bench", "--out", "d", "--seed", "-1"},
       "--seed must be a whole number from 0 to 18446744073709551615"},
  };
  for (const BadLine& c : cases) {
    try {
      parse_command_line(c.args);
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const UsageError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace kivgen
