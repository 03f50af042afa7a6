// The line that says what Go would build, from the selections alone and
// from the main window after a user's clicks.
#include "ui/GoSummary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "ui/MainWindowFixture.h"

namespace tandrel::test {
namespace {

using P = physical_aggregation_type;
using T = temporal_aggregation_type;
using D = output_destination_type;

struct SummaryCase {
  const char* name;
  std::function<void(user_selection_type&)> choose;
  std::size_t variables;
  std::string line;
};

user_selection_type base() {
  user_selection_type s;
  s.first_year = 1950;
  s.last_year = 2000;
  s.output_format.destination = D::DestFile;
  s.output_format.output_file_name = "/home/u/data/states5.csv";
  return s;
}

const SubsetTotals kTotals{300, 120, 7, 4};

const SummaryCase kCases[] = {
    {"StateSubset",
     [](auto& s) {
       s.physical_aggregation = P::PhysState;
       s.temporal_aggregation = T::Time5yr;
       s.all_states = false;
       s.selected_states = {2, 20, 70, 200, 220, 255};
     },
     18, "State \u00d7 5-year, 1950\u20132000, 6 of 120 states, 18 variables, to states5.csv"},
    {"AllGroupsAnnual", [](auto&) {}, 1,
     "Group \u00d7 annual, 1950\u20132000, all 300 groups, 1 variable, to states5.csv"},
    {"RegionToScreen",
     [](auto& s) {
       s.physical_aggregation = P::PhysRegion;
       s.temporal_aggregation = T::Time10yr;
       s.output_format.destination = D::DestScreen;
     },
     0, "Region \u00d7 10-year, 1950\u20132000, all 7 regions, 0 variables, to the screen"},
    {"GlobeHasNoSubsetToThePrinter",
     [](auto& s) {
       s.physical_aggregation = P::PhysGlobe;
       s.temporal_aggregation = T::Time2yr;
       s.output_format.destination = D::DestPrinter;
     },
     3, "Globe \u00d7 2-year, 1950\u20132000, 3 variables, to the printer"},
    {"DiasporaSubset",
     [](auto& s) {
       s.physical_aggregation = P::PhysDiaspora;
       s.all_diasporas = false;
       s.selected_diasporas = {1};
     },
     2, "Diaspora \u00d7 annual, 1950\u20132000, 1 of 4 diasporas, 2 variables, to states5.csv"},
};

class GoSummaryLine : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(GoSummaryLine, SaysWhatGoWouldBuild) {
  user_selection_type s = base();
  GetParam().choose(s);
  EXPECT_EQ(go_summary(s, GetParam().variables, kTotals), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Lines, GoSummaryLine, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class GoSummaryWindow : public MainWindowFixture {};

TEST_F(GoSummaryWindow, FollowsTheClicksAndCountsOnlyOpenCheckedBoxes) {
  start();
  TGenerateForm& f = form();
  f.PhysStateButton.click();
  f.Time5yrButton.click();
  // Without interpolation a box measured every 3 years is shut at 5 years.
  f.InterpolateNoButton.click();
  for (VariableBox& b : f.VarCheckBoxes) b.checked = false;
  f.VarBoxClick(box("v5"));  // the user's click checks it
  ASSERT_FALSE(box_of("v3").enabled);
  box_of("v3").checked = true;  // kept checked, but Go would not take it
  const std::string years =
      std::to_string(sel().first_year) + "\u2013" + std::to_string(sel().last_year);
  EXPECT_EQ(go_summary(f, subset_totals(session)),
            "State \u00d7 5-year, " + years + ", all 2 states, 1 variable, to the screen");
}

TEST_F(GoSummaryWindow, TotalsAreThoseTheSubsetDialogsOffer) {
  start();
  const SubsetTotals totals = subset_totals(session);
  EXPECT_EQ(totals.groups, 3u);
  EXPECT_EQ(totals.states, 2u) << "the United States and Canada have KIV groups, Mexico none";
}

}  // namespace
}  // namespace tandrel::test
