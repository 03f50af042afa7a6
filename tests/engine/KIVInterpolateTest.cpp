#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/EngineFixture.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

using Kind = TaggedValue::Kind;
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
    g.selections.interpolate = true;
    g.selections.interpolation_method = method;
    auto data = load(1990, 2000);
    data->interpolate(inst->description(), g.selections);
    return data;
  }
  // "kind:text" of a value, or "none" where the group-year does not exist.
  std::string shown(const TKIV_array_obj& data, const std::string& name, int year,
                    std::int32_t numcode = 201) const {
    if (!data.group_year_exists(numcode, year)) return "none";
    const TaggedValue v = value(data, name, year, numcode);
    return std::string(kind_name(v.kind())) + ":" + v.to_text();
  }
  static const char* kind_name(Kind kind) {
    switch (kind) {
      case Kind::Int8:
        return "i8";
      case Kind::UInt8:
        return "u8";
      case Kind::Int32:
        return "i32";
      case Kind::Int64:
        return "i64";
      case Kind::Double:
        return "real";
      case Kind::Text:
        return "text";
      default:
        return "other";
    }
  }
};

struct GapCase {
  Method method;
  const char* name;
  const char* expected[3];  // 1991, 1992, 1993
};

void PrintTo(const GapCase& c, std::ostream* out) {
  *out << c.name;
}

class KIVInterpolateGap : public KIVInterpolate, public ::testing::WithParamInterface<GapCase> {};

// Observed in 1990 and 1994 only: the three years between are new cases.
TEST_P(KIVInterpolateGap, FillsTheYearsBetweenTwoObservations) {
  const GapCase& c = GetParam();
  install_lines({"201,A,1990,2,3,-99,10,0.5,x", "201,A,1994,2,5,-99,15,1.5,y",
                 "202,B,1990,2,3,-99,1,.,u", "202,B,1994,2,3,-99,2,.,v"});
  auto data = run(c.method);
  for (int year = 1991; year <= 1993; ++year)
    EXPECT_EQ(shown(*data, c.name, year), c.expected[year - 1991]) << c.name << " " << year;
  EXPECT_TRUE(reports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, KIVInterpolateGap,
    ::testing::Values(
        // 11.25, 12.5 (ties to even), 13.75.
        GapCase{Method::InterpLinear, "pop", {"i64:11", "i64:12", "i64:14"}},
        GapCase{Method::InterpCarryForward, "pop", {"i32:10", "i32:10", "i32:10"}},
        GapCase{Method::InterpLinear, "share", {"real:0.75", "real:1", "real:1.25"}},
        GapCase{Method::InterpCarryForward, "share", {"real:0.5", "real:0.5", "real:0.5"}},
        GapCase{Method::InterpLinear, "note", {"text:x", "text:x", "text:x"}},
        // Region is carried and year is on the line whatever the method.
        GapCase{Method::InterpLinear, "region", {"u8:3", "u8:3", "u8:3"}},
        GapCase{Method::InterpCarryForward, "year", {"i64:1991", "i64:1992", "i64:1993"}},
        GapCase{Method::InterpLinear, "group", {"text:A", "text:A", "text:A"}},
        GapCase{Method::InterpLinear, "numcode", {"i64:201", "i64:201", "i64:201"}}),
    [](const auto& info) {
      return std::string(info.param.name) +
             (info.param.method == Method::InterpLinear ? "Linear" : "CarryForward");
    });

TEST_F(KIVInterpolate, GroupsAreFilledIndependently) {
  install_lines({"201,A,1990,2,3,-99,10,0.5,x", "201,A,1994,2,5,-99,15,1.5,y",
                 "202,B,1990,2,3,-99,1,.,u", "202,B,1994,2,3,-99,2,.,v"});
  auto data = run(Method::InterpLinear);
  EXPECT_EQ(shown(*data, "pop", 1992, 202), "i64:2");  // 1.5 rounds to even
  // Never observed for group 202: stays missing in the new cases.
  EXPECT_EQ(shown(*data, "share", 1992, 202), "i32:-999");
}

// One group's pop over 1990..1996: "-" no line, "." a blank field; expected
// "none" where no group-year exists.
struct SeriesCase {
  const char* what;
  std::vector<const char*> pop;
  std::vector<const char*> expected;
};

void PrintTo(const SeriesCase& c, std::ostream* out) {
  *out << c.what;
}

class KIVInterpolateSeries : public KIVInterpolate,
                             public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(KIVInterpolateSeries, FillsOnlyBetweenObservations) {
  const SeriesCase& c = GetParam();
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < c.pop.size(); ++i)
    if (std::string(c.pop[i]) != "-")
      lines.push_back("201,A," + std::to_string(1990 + i) + ",2,3,-99," + c.pop[i] + ",.,x");
  install_lines(lines);
  auto data = run(Method::InterpLinear);
  for (std::size_t i = 0; i < c.expected.size(); ++i)
    EXPECT_EQ(shown(*data, "pop", 1990 + static_cast<int>(i)), c.expected[i])
        << c.what << " " << 1990 + i;
}

INSTANTIATE_TEST_SUITE_P(
    Series, KIVInterpolateSeries,
    ::testing::Values(SeriesCase{"observed once",
                                 {"-", ".", "5", ".", "-", "-", "-"},
                                 {"none", "i32:-99", "i32:5", "i32:-99", "none", "none", "none"}},
                      SeriesCase{"two adjacent years",
                                 {"-", "4", "6", "-", "-", "-", "-"},
                                 {"none", "i32:4", "i32:6", "none", "none", "none", "none"}},
                      SeriesCase{
                          "no extrapolation",
                          {".", "4", ".", "8", ".", "-", "."},
                          {"i32:-99", "i32:4", "i64:6", "i32:8", "i32:-99", "i32:-99", "i32:-99"}},
                      SeriesCase{"several gaps",
                                 {"1", "-", "3", "-", "-", "9", "-"},
                                 {"i32:1", "i64:2", "i32:3", "i64:5", "i64:7", "i32:9", "none"}},
                      // -44.5 rounds to -44; a failed conversion is an observation.
                      SeriesCase{"failed conversion",
                                 {"10", "-", "12a", "-", "-", "-", "-"},
                                 {"i32:10", "i64:-44", "i8:-99", "none", "none", "none", "none"}}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST_F(KIVInterpolate, NewCaseHoldsMissingCodesExceptWhatInterpolationFills) {
  install_lines(
      {"201,A,1990,2,3,-99,10,.,x", "201,A,1993,2,3,-99,.,.,y", "201,A,1995,2,3,-99,20,.,z"});
  auto data = run(Method::InterpLinear);
  ASSERT_TRUE(data->group_year_exists(201, 1991));
  EXPECT_EQ(shown(*data, "pop", 1991), "i64:12");
  EXPECT_EQ(shown(*data, "share", 1991), "i32:-999");
  EXPECT_EQ(shown(*data, "note", 1991), "text:x");
  EXPECT_EQ(shown(*data, "ccode", 1991), "i64:2");
  // 1993 existed: its own missing pop is filled, its note stays.
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
    const char* what;
    std::int32_t variable;
    TaggedValue value;
    bool missing;
  };
  const Row rows[] = {
      {"region none", kRegion, TaggedValue::uint8(0), true},
      {"region code", kRegion, TaggedValue::int32(-99), true},
      {"region value", kRegion, TaggedValue::uint8(3), false},
      {"32-bit code", kOther, TaggedValue::int32(-99), true},
      {"32-bit value", kOther, TaggedValue::int32(0), false},
      {"8-bit code", kOther, TaggedValue::int8(-99), false},
      {"16-bit code", kOther, TaggedValue::int16(-99), false},
      {"64-bit code", kOther, TaggedValue::int64(-99), false},
      {"empty", kOther, TaggedValue(), false},
      {"text of the code", kOther, TaggedValue::text("-99"), false},
      {"real code", kOther, TaggedValue::real(-99.0), true},
      {"real rounding to code", kOther, TaggedValue::real(-98.6), true},
      {"real tie away from code", kOther, TaggedValue::real(-99.5), false},
      {"real tie to code", kOther, TaggedValue::real(-98.5), false},
      {"real not a number", kOther, TaggedValue::real(std::numeric_limits<double>::quiet_NaN()),
       false},
      {"real too large", kOther, TaggedValue::real(1e300), false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(TKIV_array_obj::value_is_missing(row.variable, kRegion, row.value, -99), row.missing)
        << row.what;
  // -98.5 is a tie: it rounds to the even -98, not to the code.
  EXPECT_TRUE(TKIV_array_obj::value_is_missing(kOther, kRegion, TaggedValue::real(-98.5), -98));
}

TEST_F(KIVInterpolate, UnknownTypeIsReportedOnceAndLeftUnfilled) {
  auto variables = test::test_variables();
  variables[6].type = 5;  // pop
  install_lines({"201,A,1990,2,3,-99,10,.,x", "201,A,1993,2,3,-99,16,.,x",
                 "202,B,1990,2,3,-99,1,.,x", "202,B,1993,2,3,-99,4,.,x"},
                variables);
  auto data = run(Method::InterpLinear);
  EXPECT_EQ(shown(*data, "pop", 1991), "i32:-99");
  EXPECT_EQ(shown(*data, "pop", 1992, 202), "i32:-99");
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
