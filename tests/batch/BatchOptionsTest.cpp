#include <gtest/gtest.h>

#include "batch/BatchOptions.h"

namespace tandrel {
namespace {

TEST(BatchOptions, ParsesEveryOption) {
  const BatchOptions o = parse_batch_options({"--program-dir",
                                              "/opt/t",
                                              "--unit",
                                              "state",
                                              "--period",
                                              "5",
                                              "--years",
                                              "1960:1990",
                                              "--groups",
                                              "201,64501",
                                              "--states",
                                              "2,645",
                                              "--regions",
                                              "0,5",
                                              "--controls",
                                              "20,40",
                                              "--interpolate",
                                              "carry-forward",
                                              "--no-missing-cases",
                                              "--vars",
                                              "pop,Share",
                                              "--out",
                                              "x.csv",
                                              "--sep",
                                              "tab",
                                              "--no-header",
                                              "--stata",
                                              "--spss",
                                              "--limdep",
                                              "--dta",
                                              "--sav",
                                              "--provenance",
                                              "--codebook",
                                              "--methods",
                                              "--trace",
                                              "--settings",
                                              "in.dat",
                                              "--save-settings",
                                              "out.dat"});
  EXPECT_EQ(o.program_dir, "/opt/t");
  EXPECT_EQ(o.unit, physical_aggregation_type::PhysState);
  EXPECT_EQ(o.period, temporal_aggregation_type::Time5yr);
  EXPECT_EQ(o.years, std::make_pair(1960, 1990));
  EXPECT_EQ(o.groups, (std::vector<int>{201, 64501}));
  EXPECT_EQ(o.states, (std::vector<int>{2, 645}));
  EXPECT_EQ(o.regions, (std::vector<int>{0, 5}));
  EXPECT_TRUE(o.controls);
  EXPECT_EQ(o.control_states, (std::vector<int>{20, 40}));
  EXPECT_EQ(o.interpolate, interpolation_method_type::InterpCarryForward);
  EXPECT_TRUE(o.no_missing_cases);
  EXPECT_EQ(o.vars, (std::vector<std::string>{"pop", "Share"}));
  EXPECT_FALSE(o.all_vars);
  EXPECT_EQ(o.out, "x.csv");
  EXPECT_EQ(o.separator, separator_type::SepTab);
  EXPECT_TRUE(o.no_header && o.stata && o.spss && o.limdep && o.trace);
  EXPECT_TRUE(o.dta && o.sav);
  EXPECT_TRUE(o.provenance && o.codebook && o.methods);
  EXPECT_EQ(o.settings_file, "in.dat");
  EXPECT_EQ(o.save_settings_file, "out.dat");
}

TEST(BatchOptions, AllForControlsAndVariables) {
  const BatchOptions o = parse_batch_options({"--controls", "all", "--vars", "all"});
  EXPECT_TRUE(o.controls);
  EXPECT_FALSE(o.control_states.has_value());
  EXPECT_TRUE(o.all_vars);
  EXPECT_FALSE(parse_batch_options({}).unit.has_value());
}

TEST(BatchOptions, BadCommandLinesSayWhy) {
  struct Row {
    std::vector<std::string> args;
    const char* message;
  };
  const Row rows[] = {
      {{"--unit", "diaspora"}, "--unit: \"diaspora\" is not one of globe, group, region, state"},
      {{"--period", "3"}, "--period: \"3\" is not one of 1, 10, 2, 5"},
      {{"--years", "1990"}, "--years: expected FIRST:LAST, got \"1990\""},
      {{"--years", "19x0:2000"}, "--years: \"19x0\" is not a whole number"},
      {{"--groups", "1,,2"}, "--groups: \"\" is not a whole number"},
      {{"--out"}, "--out needs a value"},
      {{"--colour"}, "unknown option --colour (see --help)"},
      {{"--unit=group=state"}, "--unit: \"group=state\" is not one of globe, group, region, state"},
      {{"--stata=yes"}, "--stata takes no value"},
      {{"--list", "cases"},
       "--list: \"cases\" is not one of diasporas, groups, nonkiv-states, regions, states, "
       "variables"},
  };
  for (const Row& row : rows) {
    try {
      parse_batch_options(row.args);
      ADD_FAILURE() << row.message;
    } catch (const UsageError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

}  // namespace
}  // namespace tandrel
