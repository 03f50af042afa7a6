// The generator's building blocks: random numbers that must never change,
// field texts the program's readers take back unchanged, region codes.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "kivgen/Output.h"
#include "kivgen/Random.h"
#include "kivgen/StateSystem.h"
#include "kivgen/Text.h"

namespace kivgen {
namespace {

TEST(KivgenRandom, SplitmixGivesTheReferenceSequence) {
  // Any change here changes every generated file.
  Rng rng(0);
  EXPECT_EQ(rng.next(), 0xE220A8397B1DCDAFULL);
  EXPECT_EQ(rng.next(), 0x6E789E6AA1B965F4ULL);
  EXPECT_EQ(rng.next(), 0x06C45D188009454FULL);
}

TEST(KivgenRandom, DrawsStayInTheirRangesAndReachBothEnds) {
  Rng rng(7);
  std::set<std::int64_t> seen;
  for (int i = 0; i < 2000; ++i) {
    const std::int64_t v = rng.between(-2, 2);
    ASSERT_GE(v, -2);
    ASSERT_LE(v, 2);
    seen.insert(v);
    ASSERT_LT(rng.below(3), 3u);
  }
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_EQ(rng.between(4, 4), 4);
  EXPECT_EQ(rng.between(5, 1), 5);
}

TEST(KivgenRandom, StreamsDifferByTagAndIndexButRepeatForTheSameKey) {
  EXPECT_EQ(stream(1, 2, 3).next(), stream(1, 2, 3).next());
  EXPECT_NE(stream(1, 2, 3).next(), stream(1, 2, 4).next());
  EXPECT_NE(stream(1, 2, 3).next(), stream(1, 3, 3).next());
  EXPECT_NE(stream(1, 2, 3).next(), stream(2, 2, 3).next());
}

struct FixedCase {
  std::int64_t scaled;
  int decimals;
  const char* text;
};

TEST(KivgenText, FixedPointTextDropsTrailingZerosAndKeepsLeadingOnes) {
  const FixedCase cases[] = {{325, 2, "3.25"},       {350, 2, "3.5"}, {400, 2, "4"},
                             {-5, 2, "-0.05"},       {0, 1, "0"},     {-9900, 2, "-99"},
                             {1005, 2, "10.05"},     {7, 0, "7"},     {-1234567, 1, "-123456.7"},
                             {100001, 3, "100.001"}, {-40, 1, "-4"}};
  for (const FixedCase& c : cases) {
    EXPECT_EQ(fixed_text(c.scaled, c.decimals), c.text) << c.scaled << " / 10^" << c.decimals;
  }
}

TEST(KivgenText, IntegersIncludingTheMostNegative) {
  std::string out;
  append_int(out, -99);
  out += ' ';
  append_int(out, 0);
  out += ' ';
  append_int(out, std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(out, "-99 0 -9223372036854775808");
}

struct QuoteCase {
  const char* value;
  const char* field;
};

TEST(KivgenText, TextsWithBlanksCommasTabsOrApostrophesAreQuoted) {
  const QuoteCase cases[] = {{"Kavari", "Kavari"},
                             {"Northern Kavari", "\"Northern Kavari\""},
                             {"Kavari, Upper", "\"Kavari, Upper\""},
                             {"Ka'vari", "\"Ka'vari\""},
                             {"a\tb", "\"a\tb\""},
                             {"Kavari-Tolun", "Kavari-Tolun"},
                             {"", ""}};
  for (const QuoteCase& c : cases) {
    std::string out;
    append_string_field(out, c.value);
    EXPECT_EQ(out, c.field);
  }
}

TEST(KivgenText, DoubleQuoteOrLineEndInAFieldIsRefused) {
  for (const char* bad : {"say \"no\"", "two\nlines", "cr\r"}) {
    std::string out;
    try {
      append_string_field(out, bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string("a data field cannot hold a double quote or a line end: ") + bad);
    }
  }
}

TEST(KivgenStates, HomeRegionCodesFollowTheOrderOfTheRegionTable) {
  // First match wins: 740 and 900 are Western before the Asian range, 352
  // is North African inside the East European ranges, 701 East European
  // before the Asian codes.
  const std::pair<int, int> cases[] = {
      {2, 0},   {20, 0},  {31, 0},    {205, 0},   {280, 0},   {375, 0},  {740, 0}, {900, 0},
      {910, 0}, {290, 2}, {345, 2},   {365, 2},   {701, 2},   {705, 2},  {402, 6}, {591, 6},
      {352, 5}, {600, 5}, {698, 5},   {700, 3},   {750, 3},   {990, 3},  {40, 7},  {199, 7},
      {1, -99}, {0, -99}, {991, -99}, {699, -99}, {706, -99}, {326, -99}};
  for (const auto& [ccode, region] : cases) EXPECT_EQ(home_region_code(ccode), region) << ccode;
}

TEST(KivgenStates, OnlyWholeYearsOfEitherPeriodCount) {
  const StateSystem states({CowState{255, "GMY", "Germany", {{1816, 1945}, {1990, 2016}}},
                            CowState{0, "ZER", "Zero", {{1816, 2016}}}});
  EXPECT_TRUE(states.is_state(255, 1945));
  EXPECT_FALSE(states.is_state(255, 1946));
  EXPECT_TRUE(states.is_state(255, 1990));
  EXPECT_FALSE(states.is_state(255, 2017));
  EXPECT_FALSE(states.is_state(0, 1950));
  EXPECT_FALSE(states.is_state(256, 1950));
}

TEST(KivgenDescription, VariableLineFieldsAreInTheOrderTheReaderTakesThem) {
  VarSpec v;
  v.name = "econ_grievance";
  v.type = VarType::Real;
  v.interval = 5;
  v.tab = 4;
  v.tab_label = "Economic";
  v.description = "Economic grievances";
  v.note = "group level";
  v.missing = -77;
  EXPECT_EQ(variable_value(v),
            "econ_grievance,real,5,4,Economic,Economic grievances,group level,-77");
}

TEST(KivgenDescription, TextsThatWouldShiftTheFieldsAreRefused) {
  VarSpec v;
  v.name = "x";
  v.description = "rich, poor";
  EXPECT_THROW(
      {
        try {
          variable_value(v);
        } catch (const std::invalid_argument& e) {
          EXPECT_STREQ(e.what(),
                       "the description of variable x holds a comma, double quote or line end: "
                       "rich, poor");
          throw;
        }
      },
      std::invalid_argument);
  for (const char* bad : {"Upper", "has blank", "", "a_name_that_is_longer_than_32_chars"}) {
    v.name = bad;
    v.description = "fine";
    EXPECT_THROW(variable_value(v), std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace kivgen
