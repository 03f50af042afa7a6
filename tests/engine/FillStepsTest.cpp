#include <gtest/gtest.h>

#include "diagnostics/OutputWindow.h"
#include "engine/EngineFixture.h"
#include "engine/FillSteps.h"
#include "reference/GroupIndex.h"

namespace tandrel {
namespace {

using Phys = physical_aggregation_type;

// Group 201 of state 2 with lines for 1990 and 1994 (pop 10 and 15); state
// 40 has no KIV group. Lines hold numcode,group,year,ccode,region,diaspora,pop,share,note.
class FillSteps : public test::EngineFixture {
 protected:
  void SetUp() override {
    test::MiniInstallationPlan plan;
    plan.variables = test::test_variables();
    plan.lines = {"201,A,1990,2,0,-99,10,.,x", "201,A,1994,2,0,-99,15,.,x"};
    plan.states = {{2, "USA", "United States"}, {40, "CUB", "Cuba", 1950, 2016}};
    install(std::move(plan));
    session.selections->interpolate = false;
    session.selections->output_missing_cases = false;
    session.selections->include_nonkiv_states = false;
  }
  std::unique_ptr<TKIV_array_obj> run() {
    auto data = load(1990, 2000);
    run_fill_steps(*data, (*session.selections));
    return data;
  }
  // pop of group 201 in 1992, "none" without a group-year.
  std::string gap_pop(const TKIV_array_obj& data) const {
    if (!data.group_year_exists(201, 1992)) return "none";
    const TaggedValue v = value(data, "pop", 1992, 201);
    return (v.kind() == TaggedValue::Kind::Int64 ? "i64:" : "") + v.to_text();
  }
};

TEST_F(FillSteps, InterpolationAndMissingCasesNeverBothRun) {
  struct Row {
    bool interpolate, missing_cases;
    const char* pop;
    bool missing_step_traced;
  };
  const Row rows[] = {{false, false, "none", false},
                      {false, true, "-99", true},
                      {true, false, "i64:12", false},
                      {true, true, "i64:12", false}};
  for (const Row& row : rows) {
    g.trace_window->clear();
    session.selections->interpolate = row.interpolate;
    session.selections->output_missing_cases = row.missing_cases;
    auto data = run();
    EXPECT_EQ(gap_pop(*data), row.pop) << row.interpolate << row.missing_cases;
    EXPECT_EQ(traced("Finished adding missing in-series cases "), row.missing_step_traced)
        << row.interpolate << row.missing_cases;
  }
}

class FillStepsUnit : public FillSteps,
                      public ::testing::WithParamInterface<std::pair<Phys, bool>> {};

TEST_P(FillStepsUnit, ControlCasesOnlyForGroupAndStateUnits) {
  const auto [unit, controls] = GetParam();
  session.selections->include_nonkiv_states = true;
  session.selections->physical_aggregation = unit;
  auto data = run();
  EXPECT_EQ(data->group_year_exists(4000, 1995), controls);
  EXPECT_EQ(inst->groups().have_group(4000), controls);
}

INSTANTIATE_TEST_SUITE_P(Units, FillStepsUnit,
                         ::testing::Values(std::pair{Phys::PhysGroup, true},
                                           std::pair{Phys::PhysState, true},
                                           std::pair{Phys::PhysRegion, false},
                                           std::pair{Phys::PhysGlobe, false},
                                           std::pair{Phys::PhysDiaspora, false}));

TEST_F(FillSteps, ASecondRunFindsItsControlGroupsInTheGroupIndex) {
  session.selections->include_nonkiv_states = true;
  run();
  ASSERT_EQ(inst->groups().count(), 2);
  auto second = run();
  EXPECT_EQ(inst->groups().count(), 2);
  EXPECT_TRUE(second->group_year_exists(4000, 1995));
  EXPECT_EQ(value(*second, "group", 1995, 4000).to_text(), "Not a KIV Group (Control Only)");
}

TEST_F(FillSteps, IsKivIsSetWhenSelected) {
  session.selections->include_nonkiv_states = true;
  session.selections->output_missing_cases = true;
  inst->select({"numcode", "group", "year", "ccode", "region", "pop", "is_kiv"});
  auto data = run();
  EXPECT_EQ(value(*data, "is_kiv", 1992, 201).to_text(), "1");
  EXPECT_EQ(value(*data, "is_kiv", 1995, 4000).to_text(), "0");
}

}  // namespace
}  // namespace tandrel
