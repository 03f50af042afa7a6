#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "diagnostics/OutputWindow.h"
#include "engine/EngineFixture.h"
#include "process/Exceptions.h"
#include "reference/Convert.h"
#include "reference/GroupIndex.h"

namespace tandrel {
namespace {

using Kind = TaggedValue::Kind;

const std::string kShortLine =
    " was not correct - reached eoln or eof while still looking for variables.  Data set does "
    "not match .mdf file - recheck files and try again.";
const std::string kNilTrace =
    "Finished initializing KIV data to nil structure because dates were out of range.";
const std::string kTruncation =
    "Number of cases in data file does not match specification in user configuration file for "
    "KIV data set.  Check data file for possible truncation.";

class KIVArrayLoad : public test::EngineFixture {
 protected:
  // Lines hold numcode,group,year,ccode,region,diaspora,pop,share,note.
  test::MiniInstallation& install_lines(std::vector<std::string> lines) {
    test::MiniInstallationPlan plan;
    plan.variables = test::test_variables();
    plan.lines = std::move(lines);
    return install(std::move(plan));
  }
  void expect_value(const TKIV_array_obj& data, const std::string& name, int year, int numcode,
                    Kind kind, const std::string& text) {
    const TaggedValue v = value(data, name, year, numcode);
    EXPECT_EQ(v.kind(), kind) << name << " " << numcode;
    EXPECT_EQ(v.to_text(), text) << name << " " << numcode;
  }
};

TEST_F(KIVArrayLoad, PartitionIsTheOverlapOfRequestedAndDataYears) {
  struct Row {
    int first, last;
    int partition_first, partition_last;
  };
  const Row rows[] = {
      {1980, 1995, 1990, 1995}, {1995, 2010, 1995, 2000}, {1980, 2010, 1990, 2000},
      {1992, 1994, 1992, 1994}, {1970, 1985, 1800, 1800}, {2001, 2010, 1800, 1800},
  };
  for (const Row& row : rows) {
    install_lines(
        {"201,A,1990,2,0,-99,1,1,x", "201,A,1993,2,0,-99,2,1,x", "201,A,2000,2,0,-99,3,1,x"});
    const bool nil = row.partition_first == 1800;
    // A range without data does not even open the file.
    if (nil) std::remove(inst->data_file().c_str());
    auto data = load(row.first, row.last);
    EXPECT_TRUE(data->is_initialized());
    EXPECT_EQ(data->get_first_partition_year(), row.partition_first) << row.first;
    EXPECT_EQ(data->get_last_partition_year(), row.partition_last) << row.first;
    for (int year : {1990, 1993, 2000}) {
      const bool held = year >= row.partition_first && year <= row.partition_last;
      EXPECT_EQ(data->group_year_exists(201, year), held) << row.first << " " << year;
      if (!held) expect_value(*data, "pop", year, 201, Kind::Int32, "-99");
    }
    EXPECT_EQ(traced(kNilTrace), nil) << row.first;
    g.trace_window->clear();
  }
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayLoad, FieldsConvertByTheirVariablesType) {
  install_lines({"201,Alpha,1995,2,3,-99,1200,0.25,abc", "202,Beta,1995,2,7,-99,-5,2,abc",
                 "203,Gamma,1995,2,-99,-99,+7, 1e3 ,x y", "204,Delta,1995,2,0,-99,0,-0.5,abc",
                 "205,Eps,1995,2,4,-99,0,0,abc"});
  auto data = load(1990, 2000);
  expect_value(*data, "pop", 1995, 201, Kind::Int32, "1200");
  expect_value(*data, "share", 1995, 201, Kind::Double, "0.25");
  expect_value(*data, "note", 1995, 201, Kind::Text, "abc");
  expect_value(*data, "group", 1995, 201, Kind::Text, "Alpha");
  expect_value(*data, "pop", 1995, 203, Kind::Int32, "7");
  expect_value(*data, "share", 1995, 203, Kind::Double, "1000");
  expect_value(*data, "note", 1995, 203, Kind::Text, "x y");
  // Region codes become the region enumeration; the missing code and codes
  // without a region become none.
  const std::pair<int, std::string> regions[] = {
      {201, "3"}, {202, "6"}, {203, "0"}, {204, "1"}, {205, "0"}};
  for (const auto& [numcode, region] : regions)
    expect_value(*data, "region", 1995, numcode, Kind::UInt8, region);
  EXPECT_TRUE(reports().empty());
}

// Lines without quotes are split straight from the read buffer and common
// numbers converted on a short path; a quote sends a line through the
// character reader and the general conversions. Both must load alike.
TEST_F(KIVArrayLoad, LinesWithAndWithoutQuotesConvertAlike) {
  const std::vector<std::string> integers = {
      "0",           "-0",  "007", "123456789", "1234567890", "2147483647", "2147483648",
      "-2147483648", " 42", "+5",  "1e3",       "12a",        "-",          "4.0"};
  const std::vector<std::string> reals = {"0.1",
                                          "-0.0",
                                          "123.4567",
                                          "1.",
                                          ".5",
                                          "9007199254740993",
                                          "123456789012345.6",
                                          "1234567890123456.7",
                                          "1e-3",
                                          " 2.5",
                                          "+2.5",
                                          "0.30000000000000004",
                                          "x",
                                          "-12"};
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < integers.size(); ++i) {
    const std::string fields = ",A,1995,2,0,-99," + integers[i] + "," + reals[i] + ",";
    lines.push_back(std::to_string(201 + i) + fields + "x");
    lines.push_back(std::to_string(221 + i) + fields + "\"q\"");
  }
  install_lines(lines);
  auto data = load(1990, 2000);
  for (std::size_t i = 0; i < integers.size(); ++i) {
    const auto as_int = try_str_to_int(integers[i]);
    const auto as_real = try_str_to_float(reals[i]);
    for (int numcode : {static_cast<int>(201 + i), static_cast<int>(221 + i)}) {
      const TaggedValue pop = value(*data, "pop", 1995, numcode);
      const TaggedValue share = value(*data, "share", 1995, numcode);
      // A field that cannot be read takes its variable's missing code.
      EXPECT_EQ(pop.kind(), Kind::Int32) << integers[i];
      EXPECT_EQ(pop.to_int(), as_int.value_or(-99)) << integers[i];
      EXPECT_EQ(share.kind(), as_real ? Kind::Double : Kind::Int32) << reals[i];
      EXPECT_EQ(share.to_double(), as_real.value_or(-999)) << reals[i];
      EXPECT_EQ(std::signbit(share.to_double()), std::signbit(as_real.value_or(-999))) << reals[i];
    }
  }
  EXPECT_EQ(value(*data, "note", 1995, 221).to_text(), "q");
}

// A file larger than the reader's buffer: the lines that straddle a refill
// load like all others.
TEST_F(KIVArrayLoad, LinesAcrossReadBufferRefillsLoadWhole) {
  const std::string padding(120, 'p');
  std::vector<std::string> lines;
  for (int year = 1990; year <= 2000; ++year)
    for (int numcode = 10000; numcode < 11000; ++numcode)
      lines.push_back(std::to_string(numcode) + ",G," + std::to_string(year) + ",2,0,-99," +
                      std::to_string(numcode + year) + ",0.5," + padding);
  install_lines(lines);
  auto data = load(1990, 2000);
  int wrong = 0;
  for (int year = 1990; year <= 2000; ++year)
    for (int numcode = 10000; numcode < 11000; ++numcode)
      wrong += value(*data, "pop", year, numcode).to_int() != numcode + year ||
               value(*data, "note", year, numcode).to_text() != padding;
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayLoad, DotAndBlankFieldsLoadAsTheMissingCode) {
  install_lines({"201,A,1995,2,0,-99,.,,.", "202,,1995,2,.,-99,1,1,x"});
  auto data = load(1990, 2000);
  expect_value(*data, "pop", 1995, 201, Kind::Int32, "-99");
  expect_value(*data, "share", 1995, 201, Kind::Int32, "-999");
  expect_value(*data, "note", 1995, 201, Kind::Int32, "-99");
  expect_value(*data, "group", 1995, 202, Kind::Int32, "-99");
  expect_value(*data, "region", 1995, 202, Kind::UInt8, "0");
  const std::string critical =
      ") is blank or missing.  All data in this data file will be missing, and run will "
      "probably not function appropriately.";
  const std::string prefix = "Problem in input data set  - the value for a critical variable (";
  EXPECT_EQ(reports(),
            (std::vector<std::string>{prefix + "group" + critical, prefix + "region" + critical}));
}

// An unreadable field once became -99 whatever its variable's missing code,
// so a column whose code is -999 carried a -99 that every statistics
// package read as a value. It is now stored as a blank field is.
TEST_F(KIVArrayLoad, UnconvertibleNumbersLoadAsTheirVariablesMissingCodeAndAreReported) {
  install_lines({"201,A,1995,2,0,-99,12a,x1,7"});
  auto data = load(1990, 2000);
  expect_value(*data, "pop", 1995, 201, Kind::Int32, "-99");
  expect_value(*data, "share", 1995, 201, Kind::Int32, "-999");
  expect_value(*data, "note", 1995, 201, Kind::Text, "7");
  const std::string tail = "\".  Probable error in KIV data or .mdf file.  Notify programmer.";
  EXPECT_EQ(reports(), (std::vector<std::string>{
                           "Error converting variable number 7.  Value seen was \"12a" + tail,
                           "Error converting variable number 8.  Value seen was \"x1" + tail}));
}

// A line of a year not kept is dropped without storing its values, yet it
// counts as a line read, its bad fields are reported exactly as a kept
// line's, and what it wrote never reaches a kept line. On one thread and on
// two alike.
TEST_F(KIVArrayLoad, LinesOfYearsNotKeptAreCountedAndCheckedButNotKept) {
  for (const std::int64_t threshold : {std::int64_t{1} << 40, std::int64_t{1}}) {
    install_lines({"201,A,1985,2,0,-99,12a,x1,old", "201,A,1995,2,0,-99,5,0.5,new",
                   "202,B,2005,2,0,-99,7,-1.25,", "202,B,1996,2,0,-99,,,",
                   "203,C,2001,2,9,-99,3,2.5,z", "203,C,1990,2,0,-99,8,1.5,w"});
    const std::size_t earlier = reports().size();
    TKIV_array_obj::read_ahead_min_bytes = threshold;
    auto data = load(1990, 2000);
    TKIV_array_obj::read_ahead_min_bytes = 8 << 20;
    const std::vector<std::string> these = reports_since(earlier);
    expect_value(*data, "pop", 1995, 201, Kind::Int32, "5");
    expect_value(*data, "note", 1995, 201, Kind::Text, "new");
    expect_value(*data, "pop", 1996, 202, Kind::Int32, "-99");
    expect_value(*data, "share", 1996, 202, Kind::Int32, "-999");
    expect_value(*data, "region", 1990, 203, Kind::UInt8, "1");
    expect_value(*data, "share", 1990, 203, Kind::Double, "1.5");
    for (const auto& [numcode, year] : {std::pair{201, 1985}, {202, 2005}, {203, 2001}})
      EXPECT_FALSE(data->group_year_exists(numcode, year));
    const std::string tail = "\".  Probable error in KIV data or .mdf file.  Notify programmer.";
    EXPECT_EQ(these, (std::vector<std::string>{
                         "Error converting variable number 7.  Value seen was \"12a" + tail,
                         "Error converting variable number 8.  Value seen was \"x1" + tail}))
        << threshold;
  }
}

// Whatever a line holds after its year, dropping it for its year reports
// exactly what keeping it reports: the quick check of dropped lines may only
// ever send an odd field the general way, never pass over it.
TEST_F(KIVArrayLoad, ADroppedLineReportsWhatTheSameLineKeptReports) {
  const std::vector<std::string> tails = {
      "2,0,-99,7,0.5,x", "2,0,-99,1.5,0.5,x", "2,0,-99,-,0.5,x", "2,0,-99,7,.5,x", "2,0,-99,7,1.,x",
      "2,0,-99,1234567890,0.5,x", "2,0,-99,99999999999,0,x", "2,,-99,7,0.5,x", "2,0,.,7,0.5,x",
      "2,0,-99,7,0.5,\"\"", "2,0,-99,7,\"0.5\",x", "2,0,-99,7,0.5,\"a,b\"",
      "2,0,-99,7,0.5,x,more,2", "2,0,-99,7,0.5", "2,0,-99,7,0.5,x\r", "2,0,-99,+7,0.5,x",
      "2,0,-99,7,0.5,it's", "2,0,-99,7,1e3,x", "2,0,\"-99\",7,0.5,x", "2,0,-99,7,0.5,\"open",
      "2,0,-99,7,0.5,", "2,0,-99,7,1234567890123456.5,x",
      // Digit runs that cross eight bytes, ended by the bytes beside '0'
      // and '9' or by one with its high bit set.
      "2,0,-99,123456789/,0.5,x", "2,0,-99,7,12345678:1,x", "2,0,-99,7,12345678.9012345,x",
      "2,0,-99,7,12345678.90123456,x", "2,0,-99,7,1234567\xb9,x", "2,0,-99,12345678\xff,0.5,x"};
  // The reports of loading the line with this year, and whether the program ended.
  auto reports_of = [this](const std::string& tail, const char* year) {
    install_lines({"201,A," + std::string(year) + "," + tail, "202,B,1995,2,0,-99,1,1,x"});
    const std::size_t earlier = reports().size();
    bool ended = false;
    try {
      load(1990, 2000);
    } catch (const platform::ProgramEnded&) {
      ended = true;
    }
    std::vector<std::string> these = reports_since(earlier);
    these.push_back(ended ? "(ended)" : "(went on)");
    return these;
  };
  // Each again with a long field after it, so that every field is checked
  // with at least sixteen bytes of the line ahead of it as well as near its end.
  for (const std::string& tail : tails)
    for (const std::string& line : {tail, tail + ",beyond-the-last-column"})
      EXPECT_EQ(reports_of(line, "1995"), reports_of(line, "1985")) << line;
}

TEST_F(KIVArrayLoad, LineOfAStateThatDoesNotExistInItsYearIsDroppedButCounted) {
  test::MiniInstallationPlan plan;
  plan.variables = test::test_variables();
  plan.states = {{2, "USA", "United States"}, {20, "CAN", "Canada", 1995, 2016}};
  plan.lines = {"201,A,1995,999,0,-99,1,1,x", "2001,B,1994,20,0,-99,1,1,x",
                "2001,B,1995,20,0,-99,1,1,x"};
  install(plan);
  auto data = load(1990, 2000);
  EXPECT_FALSE(data->group_year_exists(201, 1995));
  EXPECT_FALSE(data->group_year_exists(2001, 1994));
  EXPECT_TRUE(data->group_year_exists(2001, 1995));
  const std::string tail = ".  This country-year will be omitted from Tandrel output.";
  EXPECT_EQ(reports(), (std::vector<std::string>{
                           "KIV group does not match a recognized COW country code for ccode  999 "
                           "in year 1995" +
                               tail,
                           "KIV group does not match a recognized COW country code for ccode  20 "
                           "in year 1994" +
                               tail}));
}

// Also when the short line's year is not kept: the file does not match its
// description either way.
TEST_F(KIVArrayLoad, LineWithTooFewFieldsEndsTheProgramInTheErrorDialog) {
  for (const char* year : {"1995", "1985"}) {
    install_lines({"201,A," + std::string(year) + ",2,0,-99,1200,0.5", "202,B,1995,2,0,-99,1,1,x"});
    const std::size_t earlier = reports().size();
    EXPECT_THROW(load(1990, 2000), platform::ProgramEnded) << year;
    EXPECT_EQ(reports_since(earlier),
              std::vector<std::string>{"Number of variables on a line of file " +
                                       inst->data_file() + kShortLine})
        << year;
  }
}

TEST_F(KIVArrayLoad, LineEndingInItsSeparatorIsNotTakenForALineThatEndedEarly) {
  install_lines(
      {"201,A,1995,2,0,-99,1200,0.5,", "202,B,1995,2,0,-99,1,1,\r", "203,C,1995,2,0,-99,1,,"});
  auto data = load(1990, 2000);
  for (int numcode : {201, 202, 203})
    expect_value(*data, "note", 1995, numcode, Kind::Int32, "-99");
  expect_value(*data, "share", 1995, 203, Kind::Int32, "-999");
  expect_value(*data, "pop", 1995, 202, Kind::Int32, "1");
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayLoad, YearsOutsideTheTableGiveAReportAndANilStructureInsteadOfACrash) {
  const std::pair<int, int> requests[] = {{1750, 1995}, {1995, 2030}, {1700, 1750}, {-5, 32000}};
  for (const auto& [first, last] : requests) {
    install_lines({"201,A,1995,2,0,-99,1,1,x"});
    auto data = load(first, last);
    EXPECT_TRUE(data->is_initialized());
    EXPECT_EQ(data->get_first_partition_year(), 1800);
    EXPECT_EQ(data->get_last_partition_year(), 1800);
    EXPECT_FALSE(data->group_year_exists(201, 1995));
    expect_value(*data, "pop", 1995, 201, Kind::Int32, "-99");
    EXPECT_EQ(reports().back(), "The years asked for (" + std::to_string(first) + " to " +
                                    std::to_string(last) +
                                    ") or the years of the KIV data set (1990 to 2000) lie "
                                    "outside 1800 to 2025, the years Tandrel can hold.  No KIV "
                                    "data will be read; check the chosen years and the .mdf file.");
  }
  EXPECT_EQ(reports().size(), 4u);
  EXPECT_TRUE(traced(kNilTrace));
}

TEST_F(KIVArrayLoad, LaterLineForTheSameGroupYearReplacesTheEarlier) {
  install_lines({"201,A,1995,2,0,-99,1,1,first", "201,A,1995,2,0,-99,2,.,second"});
  auto data = load(1990, 2000);
  expect_value(*data, "pop", 1995, 201, Kind::Int32, "2");
  expect_value(*data, "share", 1995, 201, Kind::Int32, "-999");
  expect_value(*data, "note", 1995, 201, Kind::Text, "second");
}

TEST_F(KIVArrayLoad, NumberOfCasesIsCheckedAgainstTheLinesRead) {
  for (int cases : {2, 1, 3}) {
    test::MiniInstallationPlan plan;
    plan.variables = test::test_variables();
    plan.lines = {"201,A,1995,2,0,-99,1,1,x", "202,B,1995,999,0,-99,1,1,x"};
    plan.number_of_cases = cases;
    install(plan);
    auto data = load(1990, 2000);
    EXPECT_TRUE(data->group_year_exists(201, 1995));
    EXPECT_EQ(count_of(kTruncation), cases == 2 ? 0 : (cases == 1 ? 1 : 2)) << cases;
  }
}

TEST_F(KIVArrayLoad, LabelLineIsSkipped) {
  test::MiniInstallationPlan plan;
  plan.variables = test::test_variables();
  plan.lines = {"numcode,group,year,ccode,region,diaspora,pop,share,note",
                "201,A,1995,2,0,-99,1,1,x"};
  plan.label_line = true;
  plan.number_of_cases = 1;
  install(plan);
  auto data = load(1990, 2000);
  expect_value(*data, "pop", 1995, 201, Kind::Int32, "1");
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayLoad, FailedLineIsReportedAndTheNextLineStillReads) {
  test::MiniInstallationPlan plan;
  plan.variables = test::test_variables();
  plan.variables[0].type = kVarTypeString;  // a numcode that is no number fails its line
  plan.lines = {"abc,A,1995,2,0,-99,1,1,x", "201,B,1995,2,0,-99,5,1,x"};
  plan.number_of_cases = 1;
  install(plan);
  auto data = load(1990, 2000);
  EXPECT_TRUE(data->is_initialized());
  expect_value(*data, "group", 1995, 201, Kind::Text, "B");
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Error reading a data line in user input file.  Recheck data files."});
}

TEST_F(KIVArrayLoad, AddedVariableHasNoColumnAndStaysEmpty) {
  install_lines({"201,A,1995,2,0,-99,1,1,x"});
  inst->select({"numcode", "group", "year", "ccode", "region", "pop", "is_kiv"});
  auto data = load(1990, 2000);
  EXPECT_TRUE(value(*data, "is_kiv", 1995, 201).is_empty());
  // Not selected: the missing code, although the file has the field.
  expect_value(*data, "share", 1995, 201, Kind::Int32, "-999");
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayLoad, UnreadableFileIsReportedAsCritical) {
  install_lines({"201,A,1995,2,0,-99,1,1,x"});
  std::remove(inst->data_file().c_str());
  EXPECT_THROW(load(1990, 2000), platform::ProgramEnded);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Error opening or processing file \"" + inst->data_file() +
                           "\"File could not be opened for input, or other I/O error.File may be "
                           "in use by another program, may be missing, or may be incomplete."});
  EXPECT_TRUE(traced("Finished initialization"));
}

TEST_F(KIVArrayLoad, OtherErrorsAreReportedAndSwallowed) {
  install_lines({"201,A,1995,2,0,-99,1,1,x"});
  inst->select({"numcode", "group", "year", "region", "pop"});  // no ccode
  auto data = load(1990, 2000);
  EXPECT_FALSE(data->is_initialized());
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Other error in generic data processing - pausing - notify programmer"});
  EXPECT_TRUE(traced("Finished initialization"));
}

TEST_F(KIVArrayLoad, UserInterruptPassesThroughAfterTheCleanUp) {
  install_lines({"201,A,1995,2,0,-99,1,1,x", "202,A,1995,2,0,-99,1,1,x"});
  platform.set_pump_hook([this] { g.user_interrupt = true; });
  EXPECT_THROW(load(1990, 2000), EUserInterrupt);
  EXPECT_TRUE(traced("Finished initialization"));
  EXPECT_TRUE(reports().empty());
}

TEST_F(KIVArrayLoad, GroupIndexNotInitializedIsACriticalReport) {
  install_lines({"201,A,1995,2,0,-99,1,1,x"});
  session.group_index = std::make_unique<Tgroup_index_obj>(*session.region_list);
  EXPECT_THROW(load(1990, 2000), platform::ProgramEnded);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Error -- group index not initialized before reading KIV data.  "
                           "Programming error - notify programmer."});
}

TEST_F(KIVArrayLoad, TracesItsSteps) {
  install_lines({"201,A,1995,2,0,-99,1,1,x"});
  auto data = load(1990, 2000);
  const std::string file = inst->data_file();
  for (const std::string& line :
       {std::string("Initializing KIV data, 1990 to 2000 from KIV data set, numbered 0"),
        std::string("Initializing KIV data structure "),
        "Reading data from external file " + file + " from 1990 to 2000",
        "Finished initializing generic group data to data from KIV file " + file,
        std::string("Finished initialization")})
    EXPECT_TRUE(traced(line)) << line;
}

}  // namespace
}  // namespace tandrel
