#include "output/FittedNames.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace tandrel {
namespace {

using Names = std::vector<std::string>;

const std::string k32 = "lang_instruction_restriction_lvl";  // exactly 32

bool is_identifier(const std::string& name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front()))) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct NameCase {
  const char* what;
  Names names;
  Names expected;
};

const NameCase kStataCases[] = {
    {"names that fit stay", {"year_1", k32, "agg_cnt"}, {"year_1", k32, "agg_cnt"}},
    {"a long name is cut", {"year_1", k32 + "_mean"}, {"year_1", k32}},
    {"merged columns of a 32-character name meet after the cut",
     {k32 + "_mean", k32 + "_min", k32 + "_max"},
     {k32, "lang_instruction_restriction_l01", "lang_instruction_restriction_l02"}},
    {"a cut never takes the name of a later column that fits",
     {k32 + "_mean", k32},
     {"lang_instruction_restriction_l01", k32}},
    {"letter case does not tell cut names apart",
     {"LANG_instruction_restriction_lvl", k32 + "_min"},
     {"LANG_instruction_restriction_lvl", "lang_instruction_restriction_l01"}},
    {"the counter skips names already given",
     {"lang_instruction_restriction_l01", k32 + "_mean", k32 + "_min"},
     {"lang_instruction_restriction_l01", k32, "lang_instruction_restriction_l02"}},
};

class StataNameRule : public ::testing::TestWithParam<NameCase> {};

TEST_P(StataNameRule, AtMost32AValidIdentifierAndUnique) {
  const NameCase& c = GetParam();
  const Names fitted = fitted_names(c.names, kStataNameLength);
  EXPECT_EQ(fitted, c.expected) << c.what;
  std::set<std::string> seen;
  for (const std::string& name : fitted) {
    EXPECT_LE(name.size(), kStataNameLength) << name;
    EXPECT_TRUE(is_identifier(name)) << name;
    EXPECT_TRUE(seen.insert(lower(name)).second) << "repeated " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, StataNameRule, ::testing::ValuesIn(kStataCases));

TEST(FittedNames, AHundredCollisionsTakeAThreeDigitCounter) {
  Names names;
  for (int i = 0; i < 101; ++i) names.push_back(k32 + "_x" + std::to_string(i));
  const Names fitted = fitted_names(names, kStataNameLength);
  EXPECT_EQ(fitted[99], "lang_instruction_restriction_l99");
  EXPECT_EQ(fitted[100], "lang_instruction_restriction_100");
  EXPECT_EQ(std::set<std::string>(fitted.begin(), fitted.end()).size(), fitted.size());
}

// The .dta and .sav need every name distinct, also where a merged run
// repeats a name that fits; the command file keeps such names as they are.
TEST(FittedNames, DistinctNumbersRepeatedNamesThatFit) {
  const Names names = {"x_min", "X_MIN", "x_min"};
  EXPECT_EQ(fitted_names(names, kStataNameLength), names);
  EXPECT_EQ(fitted_names(names, kStataNameLength, true), (Names{"x_min", "X_MIN01", "x_min02"}));
}

TEST(FittedNames, RowsTakeTheNamesOfTheirColumns) {
  const display_output_array_type rows = {
      {"year_1", "", "", ""},
      {k32, k32 + "_min", k32 + "_max", k32 + "_mean"},
      {"x", "x_min", "x_max", "x_mean"},
  };
  const Names old_names = {"year_1", k32 + "_mean", k32 + "_min", k32 + "_max",
                           "x_mean", "x_min",       "x_max"};
  const Names fitted = fitted_names(old_names, kStataNameLength);
  const display_output_array_type renamed = renamed_rows(rows, old_names, fitted);
  EXPECT_EQ(renamed[0].name, "year_1");
  EXPECT_EQ(renamed[1].name, k32);  // the source variable is no column of its own
  EXPECT_EQ(renamed[1].mean_name, k32);
  EXPECT_EQ(renamed[1].min_name, "lang_instruction_restriction_l01");
  EXPECT_EQ(renamed[1].max_name, "lang_instruction_restriction_l02");
  EXPECT_EQ(renamed[2].min_name, "x_min");
}

}  // namespace
}  // namespace tandrel
