// The count of cases and columns before Go against what a run writes, on
// random installations and random selections.
#include "run/RunShape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "reference/NationList.h"
#include "reference/Regions.h"
#include "run/CreationRun.h"
#include "support/GlobalsFixture.h"
#include "support/MiniInstallation.h"

namespace tandrel::test {
namespace {

using P = physical_aggregation_type;
using T = temporal_aggregation_type;

class RunShapeCount : public GlobalsFixture {
 protected:
  // Groups in four states with gaps in their series, values missing now
  // and then, a repeated line, lines of a state before it existed and of a
  // group the index does not hold; two states without groups for the
  // control cases, one of them a state only from 1995.
  MiniInstallationPlan random_plan() {
    MiniInstallationPlan plan;
    plan.variables.push_back({"pop", kVarTypeReal});
    plan.variables.push_back({"n", kVarTypeInteger});
    plan.first_year = 1988;
    plan.last_year = 2002;
    plan.states = {{2, "USA", "United States"},          {20, "CAN", "Canada"},
                   {40, "CUB", "Cuba", 1994, 2016},      {70, "MEX", "Mexico"},
                   {90, "GUA", "Guatemala", 1995, 2016}, {200, "UKG", "United Kingdom"}};
    std::vector<MiniGroup> groups;
    for (int ccode : {2, 20, 40, 200}) {
      const int count = pick(1, 3);
      for (int k = 1; k <= count; ++k)
        groups.push_back({ccode * 100 + k, "G" + std::to_string(ccode * 100 + k), ccode, pick(1, 3),
                          pick(0, 2) == 0 ? -99 : pick(1, 2)});
    }
    plan.groups = groups;
    for (const MiniGroup& group : groups) {
      int year = pick(1986, 1994);
      const int last = pick(1995, 2004);
      while (year <= last) {
        plan.lines.push_back(line(group, group.numcode, year));
        if (pick(0, 20) == 0) plan.lines.push_back(line(group, group.numcode, year));
        year += pick(0, 3) == 0 ? pick(2, 4) : 1;
      }
    }
    // Now and then a group the index does not hold.
    if (pick(0, 2) == 0) plan.lines.push_back(line(groups.front(), 299, 1996));
    return plan;
  }

  std::string line(const MiniGroup& group, int numcode, int year) {
    std::ostringstream text;
    text << numcode << "," << group.name << "," << year << "," << group.ccode << ","
         << group.region_code << "," << group.diaspora << ","
         << (pick(0, 4) == 0 ? "-99" : std::to_string(pick(1, 900)) + ".5") << ","
         << (pick(0, 4) == 0 ? -99 : pick(0, 50));
    return text.str();
  }

  void random_selections(user_selection_type& s, const MiniInstallationPlan& plan) {
    s.physical_aggregation = static_cast<P>(pick(0, 4));
    s.temporal_aggregation = static_cast<T>(pick(0, 3));
    s.first_year = static_cast<std::int16_t>(pick(1984, 1998));
    s.last_year = static_cast<std::int16_t>(pick(s.first_year, 2006));
    s.interpolate = pick(0, 2) == 0;
    s.interpolation_method = static_cast<interpolation_method_type>(pick(0, 1));
    s.output_missing_cases = pick(0, 1) == 0;
    s.include_nonkiv_states = pick(0, 1) == 0;
    s.all_nonkiv_states = pick(0, 1) == 0;
    s.selected_nonkiv_states = {70};
    s.all_groups = pick(0, 1) == 0;
    s.selected_groups.clear();
    for (const MiniGroup& group : *plan.groups)
      if (pick(0, 1) == 0) s.selected_groups.push_back(group.numcode);
    s.all_states = pick(0, 1) == 0;
    s.selected_states = {2, 40};
    s.all_regions = pick(0, 1) == 0;
    s.selected_regions = {static_cast<kiv_region_type>(pick(1, 3))};
    s.all_diasporas = pick(0, 1) == 0;
    s.selected_diasporas = {1};
    s.output_format.provenance_columns = pick(0, 1) == 0;
    s.output_format.header_line = true;
    s.output_format.destination = output_destination_type::DestFile;
    s.output_format.output_file_name = dir.file("out.csv");
  }

  // The data lines and the header's columns of a real run.
  RunShape written(const user_selection_type& s) {
    const RunResult result =
        run_output_procedure(g.configuration, s, *session.description,
                             {*session.region_list, *session.nation_array, *session.group_index},
                             [](const RunResult&) {});
    EXPECT_TRUE(result.output_written);
    std::ifstream in(s.output_format.output_file_name);
    std::string header, text;
    std::getline(in, header);
    RunShape shape;
    while (std::getline(in, text)) ++shape.cases;
    const char separator = header.find('\t') != std::string::npos ? '\t' : ',';
    shape.columns = header.empty() ? 0 : std::count(header.begin(), header.end(), separator) + 1;
    EXPECT_EQ(shape.cases, result.cases_written);

    return shape;
  }

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::mt19937 random_{24};
};

TEST_F(RunShapeCount, EqualsWhatARunWritesForRandomInstallationsAndSelections) {
  open_error_log();
  for (int installation = 0; installation < 10; ++installation) {
    const MiniInstallationPlan plan = random_plan();
    MiniInstallation inst(g, session, dir, plan);
    const RunShapeCounter counter(g.configuration, *session.description, inst.reference());
    for (int trial = 0; trial < 10; ++trial) {
      user_selection_type s = inst.selections();
      random_selections(s, plan);
      SCOPED_TRACE("installation " + std::to_string(installation) + ", trial " +
                   std::to_string(trial) + ", unit " +
                   std::to_string(static_cast<int>(s.physical_aggregation)) + ", period " +
                   std::to_string(static_cast<int>(s.temporal_aggregation)) + ", years " +
                   std::to_string(s.first_year) + "-" + std::to_string(s.last_year));
      const RunShape counted = counter.count(s);
      const RunShape run = written(s);
      EXPECT_EQ(counted.cases, run.cases);
      EXPECT_EQ(counted.columns, run.columns);
    }
  }
}

TEST_F(RunShapeCount, AMissingDataFileCannotBeCounted) {
  MiniInstallationPlan plan;
  plan.lines = {"201,A,1995,2,1,-99"};
  MiniInstallation inst(g, session, dir, plan);
  std::filesystem::remove(inst.data_file());
  EXPECT_ANY_THROW(RunShapeCounter(g.configuration, *session.description, inst.reference()));
  EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace tandrel::test
