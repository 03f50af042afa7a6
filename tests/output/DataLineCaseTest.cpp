#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "output/DataLine.h"
#include "output/OutputColumns.h"
#include "output/OutputTestSupport.h"
#include "reference/Regions.h"
#include "support/MiniInstallation.h"

namespace tandrel {
namespace {

using Lines = std::vector<std::string>;

// Seven group-years of 1990 and 1991: groups 201 and 202 in state 2 (pop
// missing in 1990, once written as -99 and once as "."), 7001 in state 70
// (pop always missing, region 7) and 2001 in state 20 (region code 1, which
// is on no region list).
test::MiniInstallationPlan plan() {
  test::MiniInstallationPlan p;
  p.variables.push_back({"pop", kVarTypeReal});
  p.lines = {"201,Alpha,1990,2,0,-99,-99",   "201,Alpha,1991,2,0,-99,0.5",
             "202,Beta,1990,2,0,-99,.",      "202,Beta,1991,2,0,-99,1.5",
             "7001,Gamma,1990,70,7,-99,-99", "7001,Gamma,1991,70,7,-99,-99",
             "2001,Delta,1990,20,1,-99,12"};
  p.first_year = 1990;
  p.last_year = 1991;
  p.states.push_back({70, "MEX", "Mexico"});
  p.add_is_kiv = false;
  return p;
}

class DataLineCases : public test::OutputFixture {
 protected:
  DataLineCases() : inst(g, session, dir, plan()), selections(inst.selections()) {
    selections.first_year = 1990;
    selections.last_year = 1991;
    selections.output_format.separator = separator_type::SepComma;
    inst.select({"numcode", "group", "year", "ccode", "region", "pop"});
  }

  // Every line of the run, one per output case whose first record is not
  // blank; also fills the column lists for the same run.
  Lines lines_for(physical_aggregation_type physical, temporal_aggregation_type temporal) {
    selections.physical_aggregation = physical;
    selections.temporal_aggregation = temporal;
    selections.selected_groups = {201, 202, 7001, 2001};
    selections.selected_states = {2, 20, 70};
    TKIV_array_obj data(inst.description(), g.configuration, 0, 1990, 1991, selections,
                        inst.reference());
    TKIV_Sort_Obj sort(data, inst.groups(), 1990, 1991);
    sort.set_output_cases(selections);
    merged = sort.has_merged_cases();
    set_header(inst.description(), merged, selections, rows, lists, header, separator);
    Lines lines;
    std::string line;
    std::int32_t first = 0;
    for (std::int32_t k = 0; k <= sort.last_record_index() + 1; ++k) {
      const bool case_ends = k > sort.last_record_index() ||
                             sort.get_record(k).case_number != sort.get_record(first).case_number;
      if (!case_ends) continue;
      if (!sort.record_is_blank(first)) {
        construct_data_line(data, sort, inst.description(), selections, regions, separator, line,
                            first, k - 1, merged);
        lines.push_back(line);
      }
      first = k;
    }
    return lines;
  }

  test::MiniInstallation inst;
  user_selection_type& selections;  // the installation's
  Tregion_list_info_obj regions;
  bool merged = false;
  display_output_array_type rows;
  output_variable_lists lists;
  std::string header;
  std::string separator;
};

std::size_t field_count(const std::string& line) {
  return static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
}

TEST_F(DataLineCases, UnmergedLinesCarryTheFirstRecordsValues) {
  const Lines lines =
      lines_for(physical_aggregation_type::PhysGroup, temporal_aggregation_type::TimeAnnual);
  ASSERT_FALSE(merged);
  EXPECT_EQ(header, "year_1,year_2,numcode,group,year,ccode,region,pop");
  // A -99 written in the real column reads as a real; the "." of 202 in
  // 1990 reads as the integer missing code and keeps 0 decimals.
  EXPECT_EQ(lines, (Lines{
                       "1990,1990, 201,\"Alpha\",1990,   2,   0,-99.00000000",
                       "1991,1991, 201,\"Alpha\",1991,   2,   0,0.50000000",
                       "1990,1990, 202,\"Beta\",1990,   2,   0,       -99",
                       "1991,1991, 202,\"Beta\",1991,   2,   0,1.50000000",
                       "1990,1990,2001,\"Delta\",1990,  20, -99,12.00000000",
                       "1990,1990,7001,\"Gamma\",1990,  70,   7,-99.00000000",
                       "1991,1991,7001,\"Gamma\",1991,  70,   7,-99.00000000",
                   }));
}

TEST_F(DataLineCases, MergedLinesCarryMeanMinimumMaximumAndCount) {
  const Lines lines =
      lines_for(physical_aggregation_type::PhysState, temporal_aggregation_type::Time2yr);
  ASSERT_TRUE(merged);
  ASSERT_EQ(lines.size(), 3u);
  // State 2: pop is missing in both 1990 records, so whichever comes first
  // holds the missing code; the later values still give minimum and maximum.
  EXPECT_EQ(lines[0],
            "1990,1991,201.50000000, 201, 202,\"Alpha\",\"Beta\",1990.50000000,1990,1991,"
            "2.00000000,   2,   2,0.00000000,   0,   0,1.00000000,0.50000000,1.50000000,   4");
  // State 20: region code 1 is on no list and is written as -99, the
  // region's missing code, so its mean is missing as well.
  EXPECT_EQ(lines[1],
            "1990,1991,2001.00000000,2001,2001,\"Delta\",\"Delta\",1990.00000000,1990,1990,"
            "20.00000000,  20,  20,-99.00000000, -99, -99,12.00000000,12.00000000,12.00000000,"
            "   1");
  // State 70: every pop value is missing.
  EXPECT_EQ(lines[2],
            "1990,1991,7001.00000000,7001,7001,\"Gamma\",\"Gamma\",1990.50000000,1990,1991,"
            "70.00000000,  70,  70,7.00000000,   7,   7,-99.00000000,       -99,       -99,   2");
  for (const auto& line : lines) EXPECT_EQ(field_count(line), lists.size()) << line;
}

}  // namespace
}  // namespace tandrel
