// The methods paragraph of three runs, against texts written by hand from
// their selections.

#include <gtest/gtest.h>

#include "output/MethodsText.h"

namespace tandrel {
namespace {

struct MethodsCase {
  const char* name;
  void (*choose)(user_selection_type&);
  std::string version;
  std::string citation;
  std::optional<std::int64_t> cases;
  std::size_t variables;
  std::string expected;
};

void PrintTo(const MethodsCase& c, std::ostream* os) {
  *os << c.name;
}

class MethodsParagraph : public ::testing::TestWithParam<MethodsCase> {};

TEST_P(MethodsParagraph, ReadsAsWrittenByHand) {
  user_selection_type s;
  s.first_year = 1990;
  s.last_year = 1999;
  GetParam().choose(s);
  const MethodsFacts facts{s,
                           "kivora.csv",
                           GetParam().version,
                           GetParam().citation,
                           GetParam().cases,
                           GetParam().variables};
  EXPECT_EQ(methods_paragraph(facts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MethodsParagraph,
    ::testing::Values(
        MethodsCase{"GroupYearDefaults", [](user_selection_type&) {}, "", "", 1234, 7,
                    "This data set was generated with Tandrel 1.06 from the Kivora data (data "
                    "file kivora.csv). Its unit of analysis is the group-year, for the years 1990 "
                    "to 1999. It covers all groups of the data. Gaps were not filled; years "
                    "without data inside a group's series are included with missing values. No "
                    "control cases were added. It holds 1234 cases and 7 variables. Please cite: "
                    "[Citation of the Kivora data: add a \"citation\" entry to Tandrel.ini.]"},
        MethodsCase{"StateFiveYearSubsetCarryForwardControlsProvenance",
                    [](user_selection_type& s) {
                      s.physical_aggregation = physical_aggregation_type::PhysState;
                      s.temporal_aggregation = temporal_aggregation_type::Time5yr;
                      s.all_states = false;
                      s.selected_states = {2, 200, 365};
                      s.interpolate = true;
                      s.interpolation_method = interpolation_method_type::InterpCarryForward;
                      s.include_nonkiv_states = true;
                      s.all_nonkiv_states = false;
                      s.selected_nonkiv_states = {20};
                      s.output_format.provenance_columns = true;
                    },
                    "2.1", "Doe, J. (2020). The Kivora data, version 2.1.", 1, 1,
                    "This data set was generated with Tandrel 1.06 from the Kivora data (data "
                    "file kivora.csv, version 2.1). Its unit of analysis is the state in "
                    "five-year periods, for the years 1990 to 1999. It covers a subset of 3 "
                    "states. Years between two observations of a variable were filled by "
                    "carrying the earlier observation forward. Control cases were added for 1 "
                    "state without KIV groups. It holds 1 case and 1 variable. For every numeric "
                    "variable, the columns ending in _n give the number of values merged into a "
                    "case and those ending in _filled the share of them that the filling "
                    "supplied. Please cite: Doe, J. (2020). The Kivora data, version 2.1."},
        MethodsCase{"GlobeDecadeLinearBeforeTheRun",
                    [](user_selection_type& s) {
                      s.physical_aggregation = physical_aggregation_type::PhysGlobe;
                      s.temporal_aggregation = temporal_aggregation_type::Time10yr;
                      s.interpolate = true;
                      s.output_missing_cases = false;
                      s.include_nonkiv_states = true;  // no control cases for the globe
                    },
                    "", "See kivora.org/cite.", std::nullopt, 12,
                    "This data set was generated with Tandrel 1.06 from the Kivora data (data "
                    "file kivora.csv). Its unit of analysis is the globe in ten-year periods, for "
                    "the years 1990 to 1999. It merges all groups of all states. Years between "
                    "two observations of a variable were filled by linear interpolation. It "
                    "holds 12 variables; the number of cases is known once it is written. Please "
                    "cite: See kivora.org/cite."},
        MethodsCase{"RegionTwoYearNoGapsKept",
                    [](user_selection_type& s) {
                      s.physical_aggregation = physical_aggregation_type::PhysRegion;
                      s.temporal_aggregation = temporal_aggregation_type::Time2yr;
                      s.output_missing_cases = false;
                      s.all_regions = false;
                      s.selected_regions = {kiv_region_type::KivRegNone};
                    },
                    "", "", 40, 9,
                    "This data set was generated with Tandrel 1.06 from the Kivora data (data "
                    "file kivora.csv). Its unit of analysis is the region in two-year periods, "
                    "for the years 1990 to 1999. It covers a subset of 1 region. Gaps were not "
                    "filled, and years without data were left out. It holds 40 cases and 9 "
                    "variables. Please cite: [Citation of the Kivora data: add a \"citation\" "
                    "entry to Tandrel.ini.]"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tandrel
