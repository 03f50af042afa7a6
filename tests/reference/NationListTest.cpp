#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "process/Exceptions.h"
#include "reference/CcodeIndex.h"
#include "reference/NationList.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

const std::string kNationHeading = "abb,ccode,name,sy,sm,sd,ey,em,ed,version\n";
const std::string kMajorHeading = "abb,ccode,sy,sm,sd,ey,em,ed,version\n";
const std::string kUsa = "USA,2,United States,1816,1,1,2016,12,31,1\n";

class NationList : public test::GlobalsFixture {
 protected:
  // Reads both lists as the initial file read does: the index first.
  const Tnation_array_obj& build_from(const std::string& nation_file, const std::string& majors) {
    g.configuration.nation_list_file_name = nation_file;
    g.configuration.major_list_file_name = majors;
    session.ccode_index = std::make_unique<Tccode_index_obj>(nation_file);
    session.nation_array =
        std::make_unique<Tnation_array_obj>(g.configuration, session.ccode_index.get());
    return *session.nation_array;
  }
  const Tnation_array_obj& build(const std::string& nation_lines, const std::string& majors = "") {
    return build_from(dir.write("states.csv", kNationHeading + nation_lines),
                      dir.write("majors.csv", kMajorHeading + majors));
  }
  void let_critical_report_return() {
    platform.script_action([](platform::ModalDialog& d) { d.set_showing(false); });
  }
  bool logged(const std::string& message) const {
    return error_log_text().find("\n" + message + "\n") != std::string::npos;
  }
  bool traced(const std::string& line) const {
    auto lines = trace_lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::string second_last_trace_line() const { return trace_lines().end()[-2]; }
};

class SampleNationList : public NationList {
 protected:
  void SetUp() override {
    open_error_log();
    const std::string sample = std::string(TANDREL_SOURCE_DIR) + "/data/sample/";
    build_from(sample + "states2016.csv", sample + "majors2016.csv");
  }
  const Tnation_array_obj& list() const { return *session.nation_array; }
};

TEST_F(SampleNationList, ReadsQuietlyWithEveryRegionDefined) {
  EXPECT_EQ(error_log_text().find("Error at"), std::string::npos);
  EXPECT_EQ(list().nation_list_version(), 2016.0);
  EXPECT_EQ(list().major_powers_version(), 2016.0);
  EXPECT_EQ(session.ccode_index->code_of(217), 990);
  EXPECT_EQ(session.ccode_index->code_of(218), -1);
}

TEST_F(SampleNationList, StateWithTwoPeriodsIsNoStateInTheGap) {
  EXPECT_EQ(list().get_endyear1(40), 1906);
  EXPECT_EQ(list().get_startyear2(40), 1909);
  EXPECT_TRUE(list().is_a_state(40, 1906));
  EXPECT_FALSE(list().is_a_state(40, 1907));
  EXPECT_TRUE(list().is_a_state(40, 2016));
  EXPECT_FALSE(list().is_a_state_between(40, 1908, 1907));
  EXPECT_TRUE(list().is_a_state_between(40, 1908, 1909));
}

TEST_F(SampleNationList, StateEndingIn1990) {
  EXPECT_TRUE(list().is_a_state(265, 1990));
  EXPECT_FALSE(list().is_a_state(265, 1991));
  EXPECT_TRUE(list().is_a_state_between(265, 2000, 1990));
  EXPECT_FALSE(list().is_a_state_between(265, 1991, 2016));
}

TEST_F(SampleNationList, StatesWithOnePeriodKeepPeriodTwoAt1800) {
  int one_period = 0;
  for (int code = -1; code <= 1000; ++code) {
    if (!list().have_info(code) || list().get_startyear2(code) != 1800) continue;
    ++one_period;
    EXPECT_EQ(list().get_endyear2(code), 1800) << code;
    EXPECT_TRUE(list().is_a_state_between(code, 1790, 1805)) << code;
    EXPECT_TRUE(list().is_a_state(code, 1800)) << code;
  }
  EXPECT_EQ(one_period, 217 - 26);  // distinct codes less those with two lines
}

TEST_F(SampleNationList, GermanyHasThreeMajorPowerPeriods) {
  auto dates = [](const DatePeriod& d) {
    return std::vector<int>{d.start_year, d.start_month, d.start_day,
                            d.end_year,   d.end_month,   d.end_day};
  };
  const auto& p = list().record(255).major_power_periods;
  EXPECT_EQ(dates(p[0]), (std::vector<int>{1816, 1, 1, 1918, 11, 11}));
  EXPECT_EQ(dates(p[1]), (std::vector<int>{1925, 12, 1, 1945, 5, 7}));
  EXPECT_EQ(dates(p[2]), (std::vector<int>{1991, 12, 11, 2016, 12, 31}));
  EXPECT_EQ(dates(list().record(2).major_power_periods[1]),
            (std::vector<int>{1800, 0, 0, 1800, 0, 0}));
}

TEST_F(NationList, CodeFromNameIsTheLowestCodeWithExactlyThatName) {
  const auto& list = build("BBB,500,Twin,1900,1,1,1950,1,1,1\nAAA,20,Twin,1900,1,1,1950,1,1,1\n");
  EXPECT_EQ(list.get_ccode_from_name("Twin"), 20);
  EXPECT_EQ(list.get_ccode_from_name("twin"), 0);
  EXPECT_EQ(list.get_ccode_from_name("initial"), 0);
}

TEST_F(NationList, MismatchedAbbreviationsAreReportedAndPeriodTwoStillStored) {
  open_error_log();
  const auto& list = build(
      "AUH,300,Austria-Hungary,1816,1,1,1918,11,12,1\n"
      "AUS,300,Austria,1919,11,12,1938,3,13,2.5\n");
  EXPECT_TRUE(logged("ERROR reading nations file - "));
  EXPECT_TRUE(traced("2:     3 letter abbrevs do not match for CCode 300"));
  const Tnationdat_obj& austria = list.record(300);
  EXPECT_EQ(austria.abbreviation, "AUH");
  EXPECT_EQ(austria.fullname, "Austria");
  EXPECT_EQ(austria.period2.end_day, 13);
  EXPECT_TRUE(list.is_a_state(300, 1930));
  EXPECT_EQ(list.nation_list_version(), 2.5);
}

TEST_F(NationList, CodeSeenAgainLaterReplacesItsRecord) {
  const auto& list = build(
      "OLD,2,First,1816,1,1,1900,1,1,1\nCAN,20,Canada,1920,1,10,2016,12,31,1\n"
      "NEW,2,Second,1950,1,1,2016,12,31,1\n");
  EXPECT_EQ(list.get_fullname(2), "Second");
  EXPECT_FALSE(list.is_a_state(2, 1850));
  EXPECT_TRUE(list.is_a_state(2, 1950));
  EXPECT_EQ(list.get_fullname(20), "Canada");
}

TEST_F(NationList, NationYearRangeCutsTheMatrixButNotTheOverlapTest) {
  struct Case {
    int first, last, year;
    bool state;
  };
  for (Case c : {Case{1800, 2025, 1945, false}, Case{1800, 2025, 1946, true},
                 Case{1800, 2025, 2025, true}, Case{1800, 2000, 2000, true},
                 Case{1800, 2000, 2001, false}, Case{1950, 2025, 1949, false}}) {
    g.configuration.first_nation_year = c.first;
    g.configuration.last_nation_year = c.last;
    const auto& list = build("IND,750,India,1946,8,15,2025,12,31,1\n");
    EXPECT_EQ(list.is_a_state(750, c.year), c.state) << c.first << ".." << c.last << ": " << c.year;
    EXPECT_TRUE(list.is_a_state_between(750, 2001, 2010));
  }
}

TEST_F(NationList, UnlistedCodesAndYearsAnswerFromThePlaceholder) {
  const auto& list = build(kUsa);
  EXPECT_FALSE(list.have_info(999));
  EXPECT_FALSE(list.have_info(-1));
  EXPECT_EQ(list.get_fullname(999), "initial");
  EXPECT_EQ(list.get_startyear1(999), 1800);
  EXPECT_FALSE(list.is_a_state_between(999, 1700, 2100));
  for (int year : {1799, 2026, -99}) EXPECT_FALSE(list.is_a_state(2, year)) << year;
  for (int code : {-99, 1001, 0, -1}) EXPECT_FALSE(list.is_a_state(code, 1900)) << code;
}

TEST_F(NationList, CodesWithoutNationNumberDoNotOverwriteThePlaceholder) {
  session.ccode_index =
      std::make_unique<Tccode_index_obj>(dir.write("i.csv", kNationHeading + "A,2\n"));
  g.configuration.nation_list_file_name =
      dir.write("n.csv", kNationHeading + kUsa + "CAN,20,Canada,1920,1,10,2016,12,31,1\n");
  g.configuration.major_list_file_name =
      dir.write("m.csv", kMajorHeading + "RUS,365,1816,1,1,1917,12,5,1\n");
  Tnation_array_obj list(g.configuration, session.ccode_index.get());
  EXPECT_FALSE(list.have_info(20));
  EXPECT_FALSE(list.is_a_state(20, 1950));
  EXPECT_EQ(list.get_fullname(777), "initial");
  EXPECT_EQ(list.record(777).major_power_periods[0].start_year, 1800);
}

TEST_F(NationList, OutOfRangeValuesRaiseWithoutReport) {
  open_error_log();
  const std::string four_periods =
      "USA,2,1816,1,1,1820,1,1,1\nUSA,2,1830,1,1,1840,1,1,1\n"
      "USA,2,1850,1,1,1860,1,1,1\nUSA,2,1870,1,1,1880,1,1,1\n";
  for (auto [nations, majors] :
       std::vector<std::pair<std::string, std::string>>{{"USA,2,U,1799,1,1,2016,12,31,1\n", ""},
                                                        {"USA,2,U,1816,1,1,2026,12,31,1\n", ""},
                                                        {"USA,2,U,1816,13,1,2016,12,31,1\n", ""},
                                                        {"USA,2,U,1816,1,1,2016,12,32,1\n", ""},
                                                        {"USA,2,U,1816,1,1,2016,-1,31,1\n", ""},
                                                        {kUsa, "XXX,1001,1816,1,1,1900,1,1,1\n"},
                                                        {kUsa, four_periods}}) {
    EXPECT_THROW(build(nations, majors), ERangeError) << nations << majors;
    EXPECT_EQ(second_last_trace_line(), "2:   Finished initializing nation_array");
  }
  EXPECT_EQ(error_log_text().find("Error at"), std::string::npos);
}

TEST_F(NationList, UnreadableFileIsReportedByNameAndRaisedAgain) {
  open_error_log();
  const std::string nations = dir.write("states.csv", kNationHeading + kUsa);
  session.ccode_index = std::make_unique<Tccode_index_obj>(nations);
  for (bool nation_file_missing : {true, false}) {
    g.configuration.nation_list_file_name = nation_file_missing ? dir.file("gone.csv") : nations;
    g.configuration.major_list_file_name = dir.file("majors-gone.csv");
    const std::string& missing = nation_file_missing ? g.configuration.nation_list_file_name
                                                     : g.configuration.major_list_file_name;
    let_critical_report_return();
    EXPECT_THROW((Tnation_array_obj{g.configuration, session.ccode_index.get()}), EInOutError);
    EXPECT_TRUE(logged("Error opening file \"" + missing +
                       "\".  File could not be opened for input.  File may be in use by another "
                       "program, or may be missing."));
    EXPECT_EQ(second_last_trace_line(), "2:   Finished initializing nation_array");
  }
  // Unscripted, the critical report's Abort ends the program.
  EXPECT_THROW((Tnation_array_obj{g.configuration, session.ccode_index.get()}),
               platform::ProgramEnded);
}

TEST_F(NationList, WithoutIndexTheListRefusesToRead) {
  open_error_log();
  let_critical_report_return();
  Tnation_array_obj list(g.configuration, nullptr);
  EXPECT_TRUE(logged("Nation array creation called before ccode_index initialized"));
  EXPECT_TRUE(traced("2:     Check program coding [notify programmer]."));
  EXPECT_EQ(second_last_trace_line(), "2:   Finished initializing nation_array");
  EXPECT_FALSE(list.initialized());
}

TEST_F(NationList, TracesEachStepOfTheRead) {
  build(kUsa);
  EXPECT_EQ(
      trace_lines(),
      (std::vector<std::string>{
          "1: Creating Forms and Initializing", "2:   Initializing ccode_index",
          "2:   Completed initializing ccode_index", "1", "2:   Initializing nation_array",
          "2:     Reading nation data from file", "2:     Setting up fast state access matrix.",
          "2:   Finished initializing nation_array", "1"}));
}

TEST_F(NationList, CallsBeforeInitializationReportAndAnswerDefaults) {
  open_error_log();
  Tnation_array_obj list;
  const std::vector<std::pair<std::function<bool()>, std::string>> calls{
      {[&] { return list.get_fullname(2).empty(); }, "get_fullname called before initialization"},
      {[&] { return list.get_home_region(2) == kiv_region_type::KivRegNone; },
       "get_home_region called before initialization"},
      {[&] { return list.get_startyear1(2) == 0; }, "get_startyear1 called before initializtion"},
      {[&] { return list.get_endyear1(2) == 0; }, "get_endyear1 called before initializtion"},
      {[&] { return list.get_startyear2(2) == 0; }, "get_startyear2 called before initializtion"},
      {[&] { return list.get_endyear2(2) == 0; }, "get_endyear2 called before initializtion"},
      {[&] { return !list.is_a_state(2, 1900); }, "is_a_state called before initialization"},
      {[&] { return !list.is_a_state_between(2, 1900, 1901); },
       "is_a_state_between called before initializtion"},
      {[&] { return !list.have_info(2); }, "have_info called before initializtion"},
      // One report, not one for each of the 1002 codes tried.
      {[&] { return list.get_ccode_from_name("Cuba") == 0; },
       "have_info called before initializtion"},
  };
  for (const auto& [call, message] : calls) {
    std::size_t shown = platform.shown().size();
    EXPECT_TRUE(call()) << message;
    EXPECT_TRUE(logged("Error - nation_array " + message)) << message;
    EXPECT_EQ(platform.shown().size(), shown + 1) << message;
  }
  // Code 0 answers before the check.
  EXPECT_FALSE(list.is_a_state(0, 1900));
  EXPECT_EQ(list.get_home_region(0), kiv_region_type::KivRegNone);
  EXPECT_FALSE(list.is_a_state_between(0, 1900, 1901));
  EXPECT_EQ(platform.shown().size(), calls.size());
}

}  // namespace
}  // namespace tandrel
