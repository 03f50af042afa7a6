#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/KIVSort.h"

namespace tandrel {
namespace {

using Phys = physical_aggregation_type;
using Time = temporal_aggregation_type;

class KIVSortRules : public test::EngineFixture {};

sort_record record(std::int32_t numcode, std::int32_t year, std::int32_t ccode = 2,
                   std::uint8_t region = 1, std::int32_t diaspora = -99) {
  sort_record r;
  r.numcode = numcode;
  r.year = year;
  r.ccode = ccode;
  r.region = region;
  r.diaspora = diaspora;
  return r;
}

TEST_F(KIVSortRules, WantCaseByUnitListsAndYears) {
  user_selection_type s;
  s.selected_groups = {201};
  s.selected_states = {2};
  s.selected_nonkiv_states = {40};
  s.selected_regions = {kiv_region_type::KivRegAsia3};
  s.selected_diasporas = {5};
  s.first_year = 1990;
  s.last_year = 1999;
  struct Row {
    const char* what;
    Phys physical;
    sort_record r;
    bool include_nonkiv, all_nonkiv;
    bool wanted;
  };
  const Row rows[] = {
      {"listed group", Phys::PhysGroup, record(201, 1995), false, false, true},
      {"group not listed", Phys::PhysGroup, record(202, 1995), false, false, false},
      {"control of a listed non-KIV state", Phys::PhysGroup, record(4000, 1995, 40), false, false,
       true},
      {"group of a listed non-KIV state", Phys::PhysGroup, record(4001, 1995, 40), true, false,
       false},
      {"any control, all non-KIV states", Phys::PhysGroup, record(300, 1995, 3), true, true, true},
      {"control, not all non-KIV states", Phys::PhysGroup, record(300, 1995, 3), true, false,
       false},
      {"control, non-KIV states not included", Phys::PhysGroup, record(300, 1995, 3), false, true,
       false},
      {"listed group before the years", Phys::PhysGroup, record(201, 1989), false, false, false},
      {"listed group after the years", Phys::PhysGroup, record(201, 2000), false, false, false},
      {"listed group in the last year", Phys::PhysGroup, record(201, 1999), false, false, true},
      {"listed state", Phys::PhysState, record(202, 1995, 2), false, false, true},
      {"listed non-KIV state", Phys::PhysState, record(4001, 1995, 40), false, false, true},
      {"state not listed", Phys::PhysState, record(4101, 1995, 41), false, false, false},
      {"control, all non-KIV states, by state", Phys::PhysState, record(4100, 1995, 41), true, true,
       true},
      {"listed region", Phys::PhysRegion, record(202, 1995, 2, 3), false, false, true},
      {"region not listed", Phys::PhysRegion, record(201, 1995, 2, 1), false, false, false},
      {"globe", Phys::PhysGlobe, record(999, 1995, 7), false, false, true},
      {"globe outside the years", Phys::PhysGlobe, record(201, 2001), false, false, false},
      {"listed diaspora", Phys::PhysDiaspora, record(202, 1995, 2, 1, 5), false, false, true},
      {"diaspora not listed", Phys::PhysDiaspora, record(201, 1995, 2, 1, 6), false, false, false},
  };
  for (const Row& row : rows) {
    s.physical_aggregation = row.physical;
    s.include_nonkiv_states = row.include_nonkiv;
    s.all_nonkiv_states = row.all_nonkiv;
    EXPECT_EQ(want_case(row.r, s), row.wanted) << row.what;
  }
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVSortRules, WantCaseWithoutAUnitEndsTheProgram) {
  user_selection_type s;
  s.physical_aggregation = static_cast<Phys>(9);
  EXPECT_THROW(want_case(record(201, 1995), s), platform::ProgramEnded);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Called \"want_case\" function inside KIV_Data.init without a physical "
                           "aggregation method being set."});
}

TEST_F(KIVSortRules, SameGroupComparesUnitAndPeriodWithTheCasesFirstRecord) {
  struct Row {
    Phys physical;
    Time temporal;
    sort_record current, r;
    bool same;
  };
  const Row rows[] = {
      {Phys::PhysGroup, Time::TimeAnnual, record(201, 1995), record(201, 1995), true},
      {Phys::PhysGroup, Time::TimeAnnual, record(201, 1995), record(202, 1995), false},
      {Phys::PhysState, Time::Time2yr, record(201, 1994), record(202, 1995), true},
      {Phys::PhysState, Time::Time2yr, record(201, 1994), record(202, 1996), false},
      {Phys::PhysState, Time::Time5yr, record(201, 1990, 2), record(2001, 1994, 20), false},
      {Phys::PhysRegion, Time::Time5yr, record(201, 1990, 2, 1), record(2001, 1994, 20, 1), true},
      {Phys::PhysGlobe, Time::Time10yr, record(201, 1990), record(999, 1999, 9, 5), true},
      {Phys::PhysGlobe, Time::Time10yr, record(201, 1990), record(999, 2000, 9, 5), false},
      {Phys::PhysDiaspora, Time::TimeAnnual, record(201, 1990, 2, 1, 5), record(301, 1990, 3, 2, 5),
       true},
      {Phys::PhysDiaspora, Time::TimeAnnual, record(201, 1990, 2, 1, 5), record(301, 1990, 3, 2, 6),
       false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(same_group(row.current, row.r, row.physical, row.temporal), row.same)
        << static_cast<int>(row.physical) << " " << row.r.numcode << " " << row.r.year;
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVSortRules, SameGroupWithUnknownUnitsIsReportedAndFalse) {
  const sort_record r = record(201, 1995);
  EXPECT_FALSE(same_group(r, r, static_cast<Phys>(7), Time::TimeAnnual));
  EXPECT_FALSE(same_group(r, r, Phys::PhysGroup, static_cast<Time>(7)));
  EXPECT_EQ(reports(),
            (std::vector<std::string>{
                "Physical grouping in function \"same group\" not recognized - "
                "programming error - notify programmer. Continuing, but likely error.",
                "Temporal grouping in function \"same group\" not recognized - "
                "programming error - notify programmer. Continuing, but likely error."}));
}

TEST_F(KIVSortRules, PeriodStartsOnTheUnitsBoundaryAndEndsAtTheLastYear) {
  struct Row {
    Time temporal;
    int year, last_year;
    int start, end;
  };
  const Row rows[] = {
      {Time::TimeAnnual, 1993, 1990, 1993, 1993},  // annual periods are not capped
      {Time::Time2yr, 1993, 1999, 1992, 1993},    {Time::Time2yr, 1994, 1999, 1994, 1995},
      {Time::Time2yr, 1994, 1994, 1994, 1994},    {Time::Time5yr, 1992, 1999, 1990, 1994},
      {Time::Time5yr, 1995, 1997, 1995, 1997},    {Time::Time10yr, 1990, 1997, 1990, 1997},
      {Time::Time10yr, 1999, 2010, 1990, 1999},   {Time::Time2yr, -99, 1999, -100, -99},
      {Time::Time5yr, -99, 1999, -95, -91},       {Time::Time10yr, -99, 1999, -90, -81},
  };
  for (const Row& row : rows) {
    sort_record current = record(201, row.year);
    set_basecase_startyear(current, row.temporal, row.last_year);
    EXPECT_EQ(current.year, row.start) << row.year;
    EXPECT_EQ(current.period_start, row.start) << row.year;
    EXPECT_EQ(current.period_end, row.end) << row.year;
  }
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVSortRules, UnknownTimeUnitLeavesThePeriodAndIsReported) {
  sort_record current = record(201, 1993);
  current.period_start = 7;
  current.period_end = 8;
  set_basecase_startyear(current, static_cast<Time>(5), 1999);
  EXPECT_EQ(current.year, 1993);
  EXPECT_EQ(current.period_start, 7);
  EXPECT_EQ(current.period_end, 8);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "time unit in procedure set_basecase_startyear was not recognized by "
                           "the procedure.  notify programmer.  Program continues, but output "
                           "years may be off."});
}

}  // namespace
}  // namespace tandrel
