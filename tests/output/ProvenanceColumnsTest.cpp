// The provenance columns: which variables get them, their names, types,
// labels and missing codes beside the other columns, the values of a case,
// and their short names for SPSS and LIMDEP.

#include <gtest/gtest.h>

#include "engine/Provenance.h"
#include "output/DataLine.h"
#include "output/OutputTestSupport.h"
#include "output/ProvenanceColumns.h"
#include "output/ShortNames.h"

namespace tandrel::test {
namespace {

Tuser_data_set_listing_obj listing() {
  return make_listing({{"numcode", kVarTypeInteger},
                       {"group", kVarTypeString},
                       {"year", kVarTypeInteger},
                       {"ccode", kVarTypeInteger},
                       {"region", kVarTypeInteger},
                       {"protest", kVarTypeInteger, -9},
                       {"leader", kVarTypeString},
                       {"popshare", kVarTypeReal},
                       {"is_kiv", kVarTypeInteger},
                       {"protest_n", kVarTypeInteger}});
}

TEST(ProvenanceVariables, OnlyNumericDataVariablesInTheirOutputOrder) {
  const Tuser_data_set_listing_obj d = listing();
  user_selection_type s;
  s.variable_selections.variable_columns = {0, 1, 2, 3, 4, 7, 6, 5, 8};
  EXPECT_EQ(provenance_variables(d, s), (std::vector<std::int32_t>{7, 5}));
}

struct Columns {
  display_output_array_type rows;
  output_variable_lists lists;
  std::string header = "year_1,year_2";
};

Columns columns_for(bool merged, std::vector<std::int32_t> variables) {
  const Tuser_data_set_listing_obj d = listing();
  Columns c;
  c.lists.names = {"year_1", "year_2"};
  c.lists.types = {"long", "long"};
  c.lists.missing_codes = {"-99", "-99"};
  c.lists.labels = {"a", "b"};
  add_provenance_columns(d, variables, merged, c.rows, c.lists, c.header, ",");
  return c;
}

TEST(ProvenanceColumns, MergedRunsGetCountAndShareUnmergedOnlyTheFlag) {
  const Columns merged = columns_for(true, {5, 7});
  EXPECT_EQ(merged.header, "year_1,year_2,protest_n,protest_filled,popshare_n,popshare_filled");
  EXPECT_EQ(merged.lists.types,
            (std::vector<std::string>{"long", "long", "long", "float", "long", "float"}));
  EXPECT_EQ(merged.lists.missing_codes[3], "-99");
  EXPECT_EQ(merged.lists.labels[2], "Count - protest label");
  EXPECT_EQ(merged.lists.labels[5], "Filled - popshare label");
  ASSERT_EQ(merged.rows.size(), 4U);
  EXPECT_EQ(merged.rows[1].name, "protest_filled");
  EXPECT_TRUE(merged.rows[1].mean_name.empty());

  const Columns unmerged = columns_for(false, {5, 7});
  EXPECT_EQ(unmerged.header, "year_1,year_2,protest_filled,popshare_filled");
  EXPECT_EQ(unmerged.lists.types[2], "long");
}

// A data variable already named protest_n takes the name first; the
// count column then gets a numbered one rather than a second protest_n.
TEST(ProvenanceColumns, NamesNeverRepeatAColumnAlreadyGiven) {
  Columns c = columns_for(true, {});
  c.lists.names.push_back("protest_n");
  const Tuser_data_set_listing_obj d = listing();
  add_provenance_columns(d, {5}, true, c.rows, c.lists, c.header, ",");
  EXPECT_EQ(c.lists.names[3], "protes01");
}

struct ValuesCase {
  const char* name;
  bool merged;
  std::vector<CaseProvenance> provenance;
  std::string line;  // as appended to a data line with a comma
};

void PrintTo(const ValuesCase& c, std::ostream* os) {
  *os << c.name;
}

class ProvenanceValues : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(ProvenanceValues, AreWrittenAndKeptForTheNativeFiles) {
  const auto values = provenance_values(GetParam().provenance, GetParam().merged);
  std::string line;
  std::vector<TaggedValue> cells(values.size());
  append_provenance_values(line, values, GetParam().merged, ",", cells.data());
  EXPECT_EQ(line, GetParam().line);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(cells[i], values[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProvenanceValues,
    ::testing::Values(
        ValuesCase{"MergedShares", true, {{4, 1}, {3, 3}}, ",   4,0.25000000,   3,1.00000000"},
        // No value behind the case: the share is the missing code, as the
        // mean of such a case is.
        ValuesCase{"MergedNothingToShare", true, {{0, 0}}, ",   0,       -99"},
        ValuesCase{"UnmergedFlags", false, {{1, 1}, {1, 0}, {0, 0}}, ",   1,   0, -99"}),
    [](const auto& info) { return std::string(info.param.name); });

// SPSS and LIMDEP shorten the new columns like the merged ones, and only
// columns known by their labels: a long data variable ending in _n is still
// reported and kept.
class ProvenanceShortNames : public OutputFixture {};

TEST_F(ProvenanceShortNames, FollowTheRuleOfTheMergedColumns) {
  EXPECT_EQ(shortened_name("protest_n"), "protestn");
  EXPECT_EQ(shortened_name("popshare_filled"), "popshrfl");
  EXPECT_EQ(shortened_name("x_filled"), "xfl");
  Columns c = columns_for(true, {7});
  for (std::size_t i = 0; i < c.lists.size(); ++i) apply_length_rule(c.lists, c.rows, i);
  EXPECT_EQ(c.lists.names, (std::vector<std::string>{"year_1", "year_2", "popshren", "popshrfl"}));
  EXPECT_EQ(c.rows[0].name, "popshren");
  EXPECT_EQ(last_report(), "");

  c.lists.names.push_back("population_n");
  c.lists.types.push_back("long");
  c.lists.missing_codes.push_back("-99");
  c.lists.labels.push_back("Population, counted");
  apply_length_rule(c.lists, c.rows, 4);
  EXPECT_EQ(c.lists.names[4], "population_n");
  EXPECT_NE(last_report().find("too long"), std::string::npos);
}

}  // namespace
}  // namespace tandrel::test
