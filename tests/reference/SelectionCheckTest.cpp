#include "reference/SelectionCheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "reference/DataSetListing.h"

namespace tandrel {
namespace {

using Kind = SelectionProblemKind;
using P = physical_aggregation_type;

// numcode (every 0 years), pop (every year), census (every 5), poll (every 3).
Tuser_data_set_listing_obj listing() {
  data_set_info_record record;
  record.variables = {{"numcode", kVarTypeInteger, 0, -99, 1, "Ids", "", ""},
                      {"pop", kVarTypeReal, 1, -99, 2, "Demo", "", ""},
                      {"census", kVarTypeReal, 5, -99, 2, "Demo", "", ""},
                      {"poll", kVarTypeReal, 3, -99, 2, "Demo", "", ""}};
  return Tuser_data_set_listing_obj({record});
}

std::vector<Kind> kinds_of(const user_selection_type& s) {
  std::vector<Kind> kinds;
  for (const auto& p : check_selections(s, listing())) kinds.push_back(p.kind);
  return kinds;
}

struct Row {
  const char* what;
  std::function<void(user_selection_type&)> change;
  std::vector<Kind> expected;
};

TEST(SelectionCheck, NamesWhatARunWouldPassOver) {
  const Row rows[] = {
      {"defaults", [](auto&) {}, {}},
      {"controls with groups", [](auto& s) { s.include_nonkiv_states = true; }, {}},
      {"controls with states",
       [](auto& s) {
         s.include_nonkiv_states = true;
         s.physical_aggregation = P::PhysState;
       },
       {}},
      {"controls with regions",
       [](auto& s) {
         s.include_nonkiv_states = true;
         s.physical_aggregation = P::PhysRegion;
       },
       {Kind::ControlsOutsideUnit}},
      {"controls with the globe",
       [](auto& s) {
         s.include_nonkiv_states = true;
         s.physical_aggregation = P::PhysGlobe;
       },
       {Kind::ControlsOutsideUnit}},
      {"command files to the screen",
       [](auto& s) { s.output_format.command_files.include(command_file_type::CmdStata); },
       {Kind::CommandFilesWithoutFile}},
      {"command files to a file",
       [](auto& s) {
         s.output_format.command_files.include(command_file_type::CmdStata);
         s.output_format.destination = output_destination_type::DestFile;
       },
       {}},
      {"a file without extension",
       [](auto& s) {
         s.output_format.destination = output_destination_type::DestFile;
         s.output_format.output_file_name = "data.d/results.";
       },
       {Kind::FileNameWithoutExtension}},
      {"groups for states",
       [](auto& s) {
         s.all_groups = false;
         s.physical_aggregation = P::PhysState;
       },
       {Kind::GroupSubsetOutsideUnit}},
      {"every subset for the globe",
       [](auto& s) {
         s.all_groups = s.all_states = s.all_regions = s.all_diasporas = false;
         s.physical_aggregation = P::PhysGlobe;
       },
       {Kind::GroupSubsetOutsideUnit, Kind::StateSubsetOutsideUnit, Kind::RegionSubsetOutsideUnit,
        Kind::DiasporaSubsetOutsideUnit}},
      {"regions for regions",
       [](auto& s) {
         s.all_regions = false;
         s.physical_aggregation = P::PhysRegion;
       },
       {}},
      {"annual census and poll",
       [](auto& s) {
         s.variable_selections.variable_columns = {0, 1, 2, 3};
       },
       {Kind::VariableNotOffered, Kind::VariableNotOffered}},
      {"5-year census and poll",
       [](auto& s) {
         s.temporal_aggregation = temporal_aggregation_type::Time5yr;
         s.variable_selections.variable_columns = {2, 3};
       },
       {Kind::VariableNotOffered}},
      {"interpolated poll",
       [](auto& s) {
         s.interpolate = true;
         s.variable_selections.variable_columns = {3};
       },
       {}},
  };
  for (const Row& row : rows) {
    user_selection_type s;
    row.change(s);
    EXPECT_EQ(kinds_of(s), row.expected) << row.what;
  }
}

TEST(SelectionCheck, NamesTheVariableAndItsInterval) {
  user_selection_type s;
  s.temporal_aggregation = temporal_aggregation_type::Time2yr;
  s.variable_selections.variable_columns = {3};
  const auto problems = check_selections(s, listing());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].variable, 3);
  EXPECT_EQ(problems[0].text,
            "poll is measured every 3 years and does not fill every 2-year period without "
            "interpolation.");
}

TEST(SelectionCheck, ExtensionsOfTheFileNamePartOnly) {
  EXPECT_TRUE(has_extension("out.csv"));
  EXPECT_TRUE(has_extension("dir.x/out.d"));
  EXPECT_FALSE(has_extension("dir.x/out"));
  EXPECT_FALSE(has_extension("out."));
  EXPECT_FALSE(has_extension(""));
}

}  // namespace
}  // namespace tandrel
