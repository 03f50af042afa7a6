#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "reference/GroupIndex.h"

namespace tandrel {
namespace {

using Kind = TaggedValue::Kind;

const std::string kControlName = "Not a KIV Group (Control Only)";

// States 2 and 20 hold KIV groups (201; 2010, numbered from ten up); 40 is a
// state from 1950, 41 from 1995 and 70 from 1990, none with KIV groups. The
// data set runs from 1940 to 2000. Lines hold
// numcode,group,year,ccode,region,diaspora,pop,share,note.
class KIVAddedCases : public test::EngineFixture {
 protected:
  void install_lines(std::vector<std::string> lines) {
    test::MiniInstallationPlan plan;
    plan.variables = test::test_variables();
    plan.lines = std::move(lines);
    plan.first_year = 1940;
    plan.last_year = 2000;
    plan.states = {{2, "USA", "United States"},
                   {20, "CAN", "Canada"},
                   {40, "CUB", "Cuba", 1950, 2016},
                   {41, "HAI", "Haiti", 1995, 2016},
                   {70, "MEX", "Mexico", 1990, 2016}};
    install(std::move(plan));
  }
  void install_default() {
    install_lines({"201,A,1990,2,0,5,10,0.5,x", "201,A1,1991,2,3,5,11,0.5,x",
                   "201,A,1995,2,0,5,15,0.5,x", "2010,C,1990,20,0,-99,1,0.5,y"});
  }
  std::vector<int> years_with_case(const TKIV_array_obj& data, std::int32_t numcode) const {
    std::vector<int> years;
    for (int year = 1940; year <= 2000; ++year)
      if (data.group_year_exists(numcode, year)) years.push_back(year);
    return years;
  }
  static std::vector<int> span(int first, int last) {
    std::vector<int> years;
    for (int year = first; year <= last; ++year) years.push_back(year);
    return years;
  }
  void expect(const TKIV_array_obj& data, const std::string& name, int year, std::int32_t numcode,
              Kind kind, const std::string& text) const {
    const TaggedValue v = value(data, name, year, numcode);
    EXPECT_EQ(v.kind(), kind) << name << " " << numcode << " " << year;
    EXPECT_EQ(v.to_text(), text) << name << " " << numcode << " " << year;
  }
};

TEST_F(KIVAddedCases, GapYearsGetTheIdentifiersOfThePreviousPresentYear) {
  install_default();
  inst->select({"numcode", "group", "year", "ccode", "region", "diaspora", "pop", "note"});
  auto data = load(1940, 2000);
  data->add_missing_in_series(inst->description(), (*session.selections));
  EXPECT_EQ(years_with_case(*data, 201), (std::vector<int>{1990, 1991, 1992, 1993, 1994, 1995}));
  for (int year = 1992; year <= 1994; ++year) {
    expect(*data, "numcode", year, 201, Kind::Int32, "201");
    expect(*data, "group", year, 201, Kind::Text, "A1");
    expect(*data, "region", year, 201, Kind::UInt8, "3");
    expect(*data, "ccode", year, 201, Kind::Int32, "2");
    expect(*data, "year", year, 201, Kind::UInt16, std::to_string(year));
    expect(*data, "diaspora", year, 201, Kind::Int32, "-99");
    expect(*data, "pop", year, 201, Kind::Int32, "-99");
    expect(*data, "note", year, 201, Kind::Int32, "-99");
  }
  EXPECT_EQ(years_with_case(*data, 2010), std::vector<int>{1990});
  EXPECT_TRUE(traced("Adding missing in-series cases "));
  EXPECT_TRUE(traced("Finished adding missing in-series cases "));
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVAddedCases, SeriesWithoutGapsGainNothing) {
  struct Row {
    const char* what;
    std::vector<int> years;
  };
  const Row rows[] = {{"single year", {1990}},
                      {"adjacent years", {1990, 1991, 1992}},
                      {"first years of the data", {1940, 1941}},
                      {"last years of the data", {1999, 2000}}};
  for (const Row& row : rows) {
    std::vector<std::string> lines;
    for (int year : row.years) lines.push_back("201,A," + std::to_string(year) + ",2,0,5,1,1,x");
    install_lines(lines);
    auto data = load(1940, 2000);
    data->add_missing_in_series(inst->description(), (*session.selections));
    EXPECT_EQ(years_with_case(*data, 201), row.years) << row.what;
  }
}

TEST_F(KIVAddedCases, AGroupYearHoldingTheMissingNumcodeIsAGapYear) {
  install_lines({"201,A,1990,2,0,5,10,0.5,x", "201,A,1992,2,0,5,12,0.5,x"});
  auto data = load(1940, 2000);
  data->init_group_year(1991, 201);
  data->set_group_value(0, inst->var("pop"), TaggedValue::int32(7), 1991, 201);
  data->add_missing_in_series(inst->description(), (*session.selections));
  expect(*data, "numcode", 1991, 201, Kind::Int32, "201");
  expect(*data, "group", 1991, 201, Kind::Text, "A");
  expect(*data, "pop", 1991, 201, Kind::Int32, "7");
}

TEST_F(KIVAddedCases, StatesWithoutGroupsGetOneControlCasePerStateYear) {
  install_default();
  auto data = load(1945, 2000);
  data->add_missing_nonkiv(inst->description(), (*session.selections));
  EXPECT_EQ(years_with_case(*data, 4000), span(1950, 2000));
  EXPECT_EQ(years_with_case(*data, 4100), span(1995, 2000));
  EXPECT_EQ(years_with_case(*data, 7000), span(1990, 2000));
  // State 2 has group 201: no control case, also in years without its data.
  EXPECT_TRUE(years_with_case(*data, 200).empty());
  expect(*data, "numcode", 1960, 4000, Kind::Int32, "4000");
  expect(*data, "year", 1960, 4000, Kind::UInt16, "1960");
  expect(*data, "ccode", 1960, 4000, Kind::Int16, "40");
  expect(*data, "group", 1960, 4000, Kind::Text, kControlName);
  expect(*data, "region", 1960, 4000, Kind::UInt8,
         std::to_string(static_cast<int>(kiv_region_type::KivRegLatin7)));
  expect(*data, "share", 1960, 4000, Kind::Int32, "-999");

  const Tgroup_index_obj& groups = inst->groups();
  ASSERT_EQ(groups.count(), 5);  // in order of their first years 1950, 1990, 1995
  EXPECT_EQ((std::vector{groups.get_numcode(2), groups.get_numcode(3), groups.get_numcode(4)}),
            (std::vector{4000, 7000, 4100}));
  const group_record& control = groups.group(2);
  EXPECT_EQ(control.name, kControlName);
  EXPECT_EQ(control.ccode, 40);
  EXPECT_EQ(control.diaspora, -99);
  EXPECT_EQ(control.region, kiv_region_type::KivRegLatin7);
  EXPECT_TRUE(traced("Adding missing non-KIV cases "));
  EXPECT_TRUE(traced("Done adding missing non-KIV cases "));
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVAddedCases, FullGroupIndexLeavesControlCasesOutInsteadOfFailingTheRun) {
  install_default();
  // Fill the index up to its 1001 slots with groups of states 2 and 20.
  Tgroup_index_obj& groups = inst->groups();
  for (std::int32_t n = 0; groups.count() <= kMaxGroupSlot; ++n)
    groups.add_group(n < 98 ? 202 + n : 2011 + (n - 98), "G", -99, 0, n < 98 ? 2 : 20);
  auto data = load(1945, 2000);
  data->add_missing_nonkiv(inst->description(), (*session.selections));
  EXPECT_TRUE(years_with_case(*data, 4000).empty());
  EXPECT_TRUE(years_with_case(*data, 7000).empty());
  EXPECT_EQ(groups.count(), kMaxGroupSlot + 1);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "The group index holds as many groups as it can (1001), so no control "
                           "group could be added for state 40 or any other state that has none "
                           "yet.  Control cases of these states are left out of this data set."});
}

TEST_F(KIVAddedCases, StateWhoseGroupsAreNumberedTenAndUpGetsNoControlCase) {
  install_default();
  auto data = load(1940, 2000);
  data->add_missing_nonkiv(inst->description(), (*session.selections));
  EXPECT_TRUE(years_with_case(*data, 2000).empty());
  EXPECT_FALSE(inst->groups().have_group(2000));
  EXPECT_TRUE(data->state_has_kiv_groups(20));
}

TEST_F(KIVAddedCases, ChosenStatesAreConsideredInListOrder) {
  install_default();
  session.selections->all_nonkiv_states = false;
  session.selections->selected_nonkiv_states = {41, 2, 40};
  auto data = load(1995, 2000);
  data->add_missing_nonkiv(inst->description(), (*session.selections));
  const Tgroup_index_obj& groups = inst->groups();
  ASSERT_EQ(groups.count(), 4);
  EXPECT_EQ(groups.get_numcode(2), 4100);
  EXPECT_EQ(groups.get_numcode(3), 4000);
  EXPECT_EQ(years_with_case(*data, 4000), span(1995, 2000));
  EXPECT_TRUE(years_with_case(*data, 7000).empty());  // not chosen
  EXPECT_TRUE(years_with_case(*data, 200).empty());   // has KIV groups
}

// When a LIMDEP file is written, "group" and every other string variable are
// left out of the run: the added cases must not report each of their
// identifiers as out of range.
TEST_F(KIVAddedCases, UnselectedGroupVariableIsNotReportedAsOutOfRangeForAddedCases) {
  install_default();
  inst->select({"numcode", "year", "ccode", "region", "pop"});
  auto data = load(1940, 2000);
  data->add_missing_in_series(inst->description(), (*session.selections));
  data->add_missing_nonkiv(inst->description(), (*session.selections));
  EXPECT_EQ(years_with_case(*data, 201), span(1990, 1995));
  expect(*data, "numcode", 1993, 201, Kind::Int32, "201");
  expect(*data, "numcode", 1960, 4000, Kind::Int32, "4000");
  EXPECT_TRUE(reports().empty());

  data->set_group_value(0, inst->var("pop"), TaggedValue::int32(1), 1996, 201);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Tried to set a value for a case that was not in range of the data "
                           "set.  Tried to set value for group 201 in 1996"});
}

}  // namespace
}  // namespace tandrel
