#include <gtest/gtest.h>

#include "output/CommandFileTestSupport.h"
#include "output/RunDescription.h"

namespace tandrel {
namespace {

using test::slice;
using Lines = std::vector<std::string>;

TEST(VariableTable, ListsNamesOrTheirMergedColumns) {
  const display_output_array_type rows = {
      {"year_1", "", "", ""},
      {"numcode", "numcodmn", "numcodmx", "numcdeme"},
      {"a_name_of_18_chars", "grp_min_of_19chars", "groupmx", ""},
  };
  Lines plain;
  write_variable_table(plain, rows, false);
  EXPECT_EQ(plain,
            (Lines{"", "* The following table lists the variables in your newly created data set.",
                   "", "* *** Variables Output ***", "*  Name: ", "*  year_1", "*  numcode",
                   "*  a_name_of_18_chars", "* .", ""}));
  Lines merged;
  write_variable_table(merged, rows, true);
  EXPECT_EQ(slice(merged, 4, 6),
            (Lines{"*  Original Name:    Minimum Name:     Maximum Name:     Mean Name:",
                   "*  year_1" + std::string(12 + 2 * 18, ' '),
                   "*  numcode           numcodmn          numcodmx          numcdeme",
                   "*  a_name_of_18_charsgrp_min_of_19charsgroupmx           ", "* .", ""}));
}

class UserSelections : public ::testing::Test {
 protected:
  UserSelections() {
    s.first_year = 1990;
    s.last_year = 2000;
  }
  Lines lines() const {
    Lines out;
    write_user_selections(out, s);
    return out;
  }
  user_selection_type s;
};

TEST_F(UserSelections, DefaultsGiveTheWholeBlock) {
  EXPECT_EQ(
      lines(),
      (Lines{"* User selections for the Tandrel run creating this data set were as follows.",
             "*    Tandrel version 1.06.", "*    Physical Aggregation: Group.",
             "*    Temporal Aggregation: Annual.", "*    Selection of Actors: All Groups.",
             "*    Interpolation: Off.", "*    Interpolation Method: N/A.",
             "*    Include Missing Data Years: True.", "*    Include non-KIV cases: False.",
             "*    Year Range: 1990 to 2000.", "*    Output data file written with header line.",
             "*    Data file written with \",\" (comma) as separator character.", ""}));
}

TEST_F(UserSelections, OtherChoicesGiveTheirLines) {
  s.physical_aggregation = physical_aggregation_type::PhysRegion;
  s.all_regions = false;
  s.temporal_aggregation = temporal_aggregation_type::Time5yr;
  s.interpolate = true;
  s.interpolation_method = interpolation_method_type::InterpCarryForward;
  s.output_missing_cases = false;
  s.include_nonkiv_states = true;
  s.all_nonkiv_states = false;
  s.output_format.header_line = false;
  s.output_format.separator = separator_type::SepTab;
  EXPECT_EQ(
      slice(lines(), 2, 12),
      (Lines{"*    Physical Aggregation: Region.", "*    Temporal Aggregation: 5 year periods",
             "*    Selection of Actors: Subset of Regions.", "*    Interpolation: On.",
             "*    Interpolation Method: Carry Forward.", "*    Include Missing Data Years: False.",
             "*    Include non-KIV cases: True.", "*    Subset of non-KIV cases included.",
             "*    Year Range: 1990 to 2000.", "*    Output data file written without header line.",
             "*    Data file written with  tab character as separator character.", ""}));
  s.output_format.separator = separator_type::SepSpace;
  s.all_nonkiv_states = true;
  EXPECT_EQ(slice(lines(), 9, 1), Lines{"*    All non-KIV cases included."});
  EXPECT_EQ(lines()[12], "*    Data file written with \" \" (space) as separator character.");
}

TEST_F(UserSelections, SelectionOfActorsNoLongerSaysAllForEverySubset) {
  using P = physical_aggregation_type;
  const struct {
    P unit;
    bool groups, states, regions, diasporas;
    std::string expected;
  } cases[] = {
      // all_diasporas stays true, and the other units' flags keep their defaults.
      {P::PhysGroup, false, true, true, true, "Subset of Groups."},
      {P::PhysGroup, true, false, false, true, "All Groups."},
      {P::PhysState, true, false, true, true, "Subset of States."},
      {P::PhysState, false, true, false, true, "All States."},
      {P::PhysRegion, true, true, false, true, "Subset of Regions."},
      {P::PhysRegion, false, false, true, true, "All Regions."},
      {P::PhysDiaspora, true, true, true, false, "Subset of Diasporas."},
      {P::PhysGlobe, false, false, false, true, "All All actors (aggregation to globe)."},
      {P::PhysGlobe, false, false, false, false, "All actors (aggregation to globe)."},
  };
  for (const auto& c : cases) {
    s.physical_aggregation = c.unit;
    s.all_groups = c.groups;
    s.all_states = c.states;
    s.all_regions = c.regions;
    s.all_diasporas = c.diasporas;
    EXPECT_EQ(lines()[4], "*    Selection of Actors: " + c.expected);
  }
}

}  // namespace
}  // namespace tandrel
