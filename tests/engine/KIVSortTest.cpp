#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/KIVSort.h"

namespace tandrel {
namespace {

using Phys = physical_aggregation_type;
using Time = temporal_aggregation_type;

// One record as the tests compare it.
struct Case {
  std::int32_t numcode, year, case_number, period_start, period_end;
  bool operator==(const Case&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
  return out << "{" << c.numcode << "," << c.year << "," << c.case_number << "," << c.period_start
             << "," << c.period_end << "}";
}

// Groups 201 and 202 of state 2 and 2001 of state 20, all of region code 0;
// in year then numcode order the records are
//   201/1990 2001/1990 201/1991 201/1992 202/1992 201/1993 202/1993 201/1994 2001/1995.
class KIVSort : public test::EngineFixture {
 protected:
  void SetUp() override {
    test::MiniInstallationPlan plan;
    plan.lines = {"201,A,1990,2,0,5", "201,A,1991,2,0,5",   "201,A,1992,2,0,5",
                  "201,A,1993,2,0,5", "201,A,1994,2,0,5",   "202,B,1992,2,0,6",
                  "202,B,1993,2,0,6", "2001,C,1990,20,0,5", "2001,C,1995,20,0,5"};
    install(plan);
    inst->select({"numcode", "group", "year", "ccode", "region", "diaspora"});
    data = load(1990, 2000);
    s = (*session.selections);
    s.selected_groups = {201, 202, 2001};
    s.selected_states = {2, 20};
    s.selected_regions = {kiv_region_type::KivRegWestern0};
    s.selected_diasporas = {5, 6};
  }
  std::vector<Case> cases(Phys physical, Time temporal, int first_year = 1990,
                          int last_year = 1999) {
    s.physical_aggregation = physical;
    s.temporal_aggregation = temporal;
    s.first_year = static_cast<std::int16_t>(first_year);
    s.last_year = static_cast<std::int16_t>(last_year);
    sorted = std::make_unique<TKIV_Sort_Obj>(*data, inst->groups(), first_year, last_year);
    sorted->set_output_cases(s);
    std::vector<Case> out;
    for (std::int32_t i = 0; i <= sorted->last_record_index(); ++i) {
      const sort_record& r = sorted->get_record(i);
      out.push_back({r.numcode, r.year, r.case_number, r.period_start, r.period_end});
    }
    return out;
  }

  std::unique_ptr<TKIV_array_obj> data;
  std::unique_ptr<TKIV_Sort_Obj> sorted;
  user_selection_type s;
};

TEST_F(KIVSort, RecordsAreCopiedByYearThenNumcodeWithTheirKeys) {
  const std::vector<sort_record> records = data->copy_sort_records(1990, 1999);
  std::vector<std::pair<int, int>> order;
  for (const sort_record& r : records) order.push_back({r.numcode, r.year});
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{201, 1990},
                                                     {2001, 1990},
                                                     {201, 1991},
                                                     {201, 1992},
                                                     {202, 1992},
                                                     {201, 1993},
                                                     {202, 1993},
                                                     {201, 1994},
                                                     {2001, 1995}}));
  EXPECT_EQ(records[1].ccode, 20);
  EXPECT_EQ(records[1].region, 1);
  EXPECT_EQ(records[4].diaspora, 6);
  EXPECT_EQ(records[4].case_number, 0);
  EXPECT_TRUE(data->copy_sort_records(1996, 1999).empty());
}

// A group-year filed in group slot -1 answers for every numcode the group
// index does not hold, so that year gets a record for each of them.
TEST_F(KIVSort, GroupYearInSlotMinusOneGivesARecordForEveryUnknownNumcode) {
  data->init_group_year(1991, 200);
  const std::vector<sort_record> records = data->copy_sort_records(1990, 1991);
  // 1990: 201 and 2001; 1991: 201 and every numcode -1..99999 but the three known.
  ASSERT_EQ(records.size(), 2u + 1u + (100001u - 3u));
  EXPECT_EQ(records[2].numcode, -99);  // slot -1's values, read under numcode -1
  EXPECT_EQ(records[2].year, -99);
  std::int32_t known = 0;
  for (const sort_record& r : records) known += r.numcode == 201 ? 1 : 0;
  EXPECT_EQ(known, 2);
  EXPECT_EQ(records.back().numcode, -99);
}

TEST_F(KIVSort, ByGroupAndYearEveryRecordIsItsOwnCase) {
  EXPECT_EQ(cases(Phys::PhysGroup, Time::TimeAnnual),
            (std::vector<Case>{{201, 1990, 0, 1990, 1990},
                               {201, 1991, 1, 1991, 1991},
                               {201, 1992, 2, 1992, 1992},
                               {201, 1993, 3, 1993, 1993},
                               {201, 1994, 4, 1994, 1994},
                               {202, 1992, 5, 1992, 1992},
                               {202, 1993, 6, 1993, 1993},
                               {2001, 1990, 7, 1990, 1990},
                               {2001, 1995, 8, 1995, 1995}}));
  EXPECT_FALSE(sorted->has_merged_cases());
  EXPECT_EQ(sorted->last_case_number(), 8);
  EXPECT_EQ(sorted->last_record_index(), 8);
}

// The sorts are not stable: within the state the two groups of 1992 and of
// 1993 come out in the order the quicksort leaves them.
TEST_F(KIVSort, ByStateInFiveYearPeriodsTheGroupsOfAStateMerge) {
  EXPECT_EQ(cases(Phys::PhysState, Time::Time5yr),
            (std::vector<Case>{{201, 1990, 0, 1990, 1994},
                               {201, 1991, 0, 1990, 1994},
                               {202, 1992, 0, 1990, 1994},
                               {201, 1992, 0, 1990, 1994},
                               {202, 1993, 0, 1990, 1994},
                               {201, 1993, 0, 1990, 1994},
                               {201, 1994, 0, 1990, 1994},
                               {2001, 1990, 1, 1990, 1994},
                               {2001, 1995, 2, 1995, 1999}}));
  EXPECT_TRUE(sorted->has_merged_cases());
  EXPECT_EQ(sorted->last_case_number(), 2);
}

TEST_F(KIVSort, TenYearPeriodEndsAtTheRunsLastYear) {
  const std::vector<Case> got = cases(Phys::PhysGroup, Time::Time10yr, 1990, 1997);
  EXPECT_EQ(got.front(), (Case{201, 1990, 0, 1990, 1997}));
  EXPECT_EQ(got.back(), (Case{2001, 1995, 2, 1990, 1997}));
}

TEST_F(KIVSort, TwoYearPeriodOfAnOddFirstYearStartsTheYearBefore) {
  s.selected_groups = {201};
  const std::vector<Case> got = cases(Phys::PhysGroup, Time::Time2yr, 1993, 1999);
  // 202/1993 and 2001/1995 are blanked and sort first, as one case.
  EXPECT_EQ(got, (std::vector<Case>{{-99, -99, 0, -100, -99},
                                    {-99, -99, 0, -100, -99},
                                    {201, 1993, 1, 1992, 1993},
                                    {201, 1994, 2, 1994, 1995}}));
  // Blank records joined each other, which is no merge.
  EXPECT_FALSE(sorted->has_merged_cases());
  EXPECT_TRUE(sorted->record_is_blank(1));
  EXPECT_FALSE(sorted->record_is_blank(2));
}

TEST_F(KIVSort, RecordsOutsideTheSelectedYearsAreBlankedEvenWhenTheirUnitIsSelected) {
  s.physical_aggregation = Phys::PhysGroup;
  s.first_year = 1993;
  s.last_year = 1994;
  TKIV_Sort_Obj run(*data, inst->groups(), 1990, 1999);
  run.set_output_cases(s);
  std::vector<std::pair<int, int>> kept;
  for (std::int32_t i = 0; i <= run.last_record_index(); ++i)
    if (!run.record_is_blank(i))
      kept.push_back({run.get_record(i).numcode, run.get_record(i).year});
  EXPECT_EQ(kept, (std::vector<std::pair<int, int>>{{201, 1993}, {201, 1994}, {202, 1993}}));
  EXPECT_EQ(run.last_record_index(), 8);
  EXPECT_EQ(run.get_record(0).ccode, -99);
  EXPECT_EQ(run.get_record(0).diaspora, -99);
}

// The key sort of the globe compares nothing and so reorders the records;
// the year sort then decides the order within a year.
TEST_F(KIVSort, ByGlobeEveryYearIsOneCaseInTheSortsOrder) {
  EXPECT_EQ(cases(Phys::PhysGlobe, Time::TimeAnnual),
            (std::vector<Case>{{201, 1990, 0, 1990, 1990},
                               {2001, 1990, 0, 1990, 1990},
                               {201, 1991, 1, 1991, 1991},
                               {201, 1992, 2, 1992, 1992},
                               {202, 1992, 2, 1992, 1992},
                               {201, 1993, 3, 1993, 1993},
                               {202, 1993, 3, 1993, 1993},
                               {201, 1994, 4, 1994, 1994},
                               {2001, 1995, 5, 1995, 1995}}));
  EXPECT_TRUE(sorted->has_merged_cases());
}

TEST_F(KIVSort, ByRegionAndDiaspora) {
  const std::vector<Case> by_region = cases(Phys::PhysRegion, Time::Time10yr);
  for (const Case& c : by_region) EXPECT_EQ(c.case_number, 0);
  const std::vector<Case> by_diaspora = cases(Phys::PhysDiaspora, Time::Time10yr);
  EXPECT_EQ(by_diaspora.back(), (Case{202, 1993, 1, 1990, 1999}));
  EXPECT_EQ(sorted->last_case_number(), 1);
}

TEST_F(KIVSort, NoRecordsGiveNoCases) {
  sorted = std::make_unique<TKIV_Sort_Obj>(*data, inst->groups(), 1996, 1999);
  sorted->set_output_cases(s);
  EXPECT_EQ(sorted->last_record_index(), -1);
  EXPECT_EQ(sorted->last_case_number(), 0);
  EXPECT_FALSE(sorted->has_merged_cases());
  EXPECT_TRUE(sorted->initialized());
}

}  // namespace
}  // namespace tandrel
