#include <gtest/gtest.h>

#include <limits>

#include "engine/EngineFixture.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

using Method = interpolation_method_type;

// Lines hold numcode,group,year,ccode,region,diaspora,pop,share,note.
class KIVInterpolate : public test::EngineFixture {
 protected:
  void install_lines(std::vector<std::string> lines,
                     std::vector<test::MiniVariable> variables = test::test_variables()) {
    test::MiniInstallationPlan plan;
    plan.variables = std::move(variables);
    plan.lines = std::move(lines);
    plan.groups = {{201, "A", 2, 3}, {202, "B", 2, 3}};
    install(std::move(plan));
  }
  std::unique_ptr<TKIV_array_obj> run(Method method) {
    session.selections->interpolation_method = method;
    auto data = load(1990, 2000);
    data->interpolate(inst->description(), (*session.selections));
    return data;
  }
  // "kind:text" of a value of group 201, or "none" without a group-year.
  std::string shown(const TKIV_array_obj& data, const std::string& name, int year) const {
    static const char* const kinds[] = {"empty", "i8",  "u8",   "i16",  "u16",
                                        "i32",   "i64", "bool", "real", "text"};
    if (!data.group_year_exists(201, year)) return "none";
    const TaggedValue v = value(data, name, year, 201);
    return std::string(kinds[static_cast<int>(v.kind())]) + ":" + v.to_text();
  }
};

TEST_F(KIVInterpolate, FillsTheYearsBetweenTwoObservationsByVariableAndMethod) {
  struct Row {
    Method method;
    const char* name;
    std::vector<std::string> expected;  // 1991, 1992, 1993
  };
  const Row rows[] = {
      // 11.25, 12.5 (ties to even), 13.75.
      {Method::InterpLinear, "pop", {"i64:11", "i64:12", "i64:14"}},
      {Method::InterpCarryForward, "pop", {"i32:10", "i32:10", "i32:10"}},
      {Method::InterpLinear, "share", {"real:0.75", "real:1", "real:1.25"}},
      {Method::InterpLinear, "note", {"text:x", "text:x", "text:x"}},
      // Region is carried and year is on the line whatever the method.
      {Method::InterpLinear, "region", {"u8:3", "u8:3", "u8:3"}},
      {Method::InterpCarryForward, "year", {"i64:1991", "i64:1992", "i64:1993"}},
  };
  for (const Row& row : rows) {
    install_lines({"201,A,1990,2,3,-99,10,0.5,x", "201,A,1994,2,5,-99,15,1.5,y"});
    auto data = run(row.method);
    EXPECT_EQ((std::vector{shown(*data, row.name, 1991), shown(*data, row.name, 1992),
                           shown(*data, row.name, 1993)}),
              row.expected)
        << row.name;
  }
  EXPECT_TRUE(reports().empty());
}

// Group 201's pop over 1990..1996: "-" no line, "." a blank field; "none"
// where no group-year exists.
TEST_F(KIVInterpolate, FillsOnlyBetweenObservations) {
  struct Row {
    const char* what;
    std::vector<std::string> pop;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"observed once",
       {"-", ".", "5", ".", "-", "-", "-"},
       {"none", "i32:-99", "i32:5", "i32:-99", "none", "none", "none"}},
      {"adjacent years",
       {"-", "4", "6", "-", "-", "-", "-"},
       {"none", "i32:4", "i32:6", "none", "none", "none", "none"}},
      // 1995 is created for the identifiers; pop stays missing after 1993.
      {"no extrapolation",
       {".", "4", ".", "8", ".", "-", "."},
       {"i32:-99", "i32:4", "i64:6", "i32:8", "i32:-99", "i32:-99", "i32:-99"}},
      {"several gaps",
       {"1", "-", "3", "-", "-", "9", "-"},
       {"i32:1", "i64:2", "i32:3", "i64:5", "i64:7", "i32:9", "none"}},
      // A failed conversion is missing, exactly as a blank field is; it once
      // stood as an observation of -99 and drew -44 into the gap before it.
      {"failed conversion",
       {"10", "-", "12a", "-", "-", "-", "-"},
       {"i32:10", "i32:-99", "i32:-99", "none", "none", "none", "none"}},
      {"blank field",
       {"10", "-", ".", "-", "-", "-", "-"},
       {"i32:10", "i32:-99", "i32:-99", "none", "none", "none", "none"}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < row.pop.size(); ++i)
      if (row.pop[i] != "-")
        lines.push_back("201,A," + std::to_string(1990 + i) + ",2,3,-99," + row.pop[i] + ",.,x");
    install_lines(lines);
    auto data = run(Method::InterpLinear);
    std::vector<std::string> found;
    for (int year = 1990; year <= 1996; ++year) found.push_back(shown(*data, "pop", year));
    EXPECT_EQ(found, row.expected) << row.what;
  }
}

TEST_F(KIVInterpolate, NewCaseHoldsMissingCodesExceptWhatInterpolationFills) {
  install_lines(
      {"201,A,1990,2,3,-99,10,.,x", "201,A,1993,2,3,-99,.,.,y", "201,A,1995,2,3,-99,20,.,z"});
  auto data = run(Method::InterpLinear);
  EXPECT_EQ(shown(*data, "pop", 1991), "i64:12");
  EXPECT_EQ(shown(*data, "share", 1991), "i32:-999");
  EXPECT_EQ(shown(*data, "note", 1991), "text:x");
  // 1993 had a line: its missing pop is filled, its note stays.
  EXPECT_EQ(shown(*data, "pop", 1993), "i64:16");
  EXPECT_EQ(shown(*data, "note", 1993), "text:y");
}

TEST_F(KIVInterpolate, RegionZeroCountsAsMissingAndIsBridgedByTheEarlierRegion) {
  // Region code 3 loads as Asia (3), the missing code -99 as 0, code 5 as 4.
  install_lines(
      {"201,A,1990,2,3,-99,1,.,x", "201,A,1991,2,-99,-99,2,.,x", "201,A,1992,2,5,-99,3,.,x"});
  auto data = run(Method::InterpLinear);
  EXPECT_EQ(shown(*data, "region", 1991), "u8:3");
  EXPECT_EQ(shown(*data, "region", 1992), "u8:4");
}

TEST_F(KIVInterpolate, ValueIsMissingByKind) {
  constexpr std::int32_t kRegion = 4;
  constexpr std::int32_t kOther = 6;
  struct Row {
    std::int32_t variable;
    TaggedValue value;
    bool missing;
  };
  const Row rows[] = {
      {kRegion, TaggedValue::uint8(0), true},
      {kRegion, TaggedValue::int32(-99), true},
      {kRegion, TaggedValue::uint8(3), false},
      {kOther, TaggedValue::int32(-99), true},
      {kOther, TaggedValue::int8(-99), false},
      {kOther, TaggedValue::int64(-99), false},
      {kOther, TaggedValue(), false},
      {kOther, TaggedValue::text("-99"), false},
      {kOther, TaggedValue::real(-98.6), true},
      {kOther, TaggedValue::real(-98.5), false},  // ties to the even -98
      {kOther, TaggedValue::real(std::numeric_limits<double>::quiet_NaN()), false},
      {kOther, TaggedValue::real(1e300), false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(TKIV_array_obj::value_is_missing(row.variable, kRegion, row.value, -99), row.missing)
        << row.value.to_text();
}

TEST_F(KIVInterpolate, UnknownTypeIsReportedOnceAndLeftUnfilled) {
  auto variables = test::test_variables();
  variables[6].type = 5;  // pop
  install_lines({"201,A,1990,2,3,-99,10,.,x", "201,A,1993,2,3,-99,16,.,x",
                 "202,B,1990,2,3,-99,1,.,x", "202,B,1993,2,3,-99,4,.,x"},
                variables);
  auto data = run(Method::InterpLinear);
  EXPECT_EQ(shown(*data, "pop", 1991), "i32:-99");
  EXPECT_EQ(reports(), std::vector<std::string>{"var type for variant variable not found in "
                                                "procedure construct_data_line: programming "
                                                "error; notify programmer"});
}

TEST_F(KIVInterpolate, UnknownMethodEndsTheProgram) {
  install_lines({"201,A,1990,2,3,-99,10,.,x", "201,A,1993,2,3,-99,16,.,x"});
  EXPECT_THROW(run(static_cast<Method>(7)), platform::ProgramEnded);
  EXPECT_EQ(reports(), std::vector<std::string>{
                           "Programming error - interpolation method not set properly in loop "
                           "inside .interpolate procedure.  Notify Programmer of error."});
}

}  // namespace
}  // namespace tandrel
