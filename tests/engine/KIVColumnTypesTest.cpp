#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>

#include "engine/EngineFixture.h"
#include "reference/Selections.h"

namespace tandrel {
namespace {

using Kind = TaggedValue::Kind;

// The values of each column type at its edges, loaded on one core and on
// two (the helper's half then holds the edge values, so its columns take
// another layout than the main thread's).
class ColumnTypes : public test::EngineFixture, public ::testing::WithParamInterface<bool> {
 protected:
  // Group 201 holds the edges from 1990 on, one a year; group 202 never
  // has a pop, share or note; group 203 fills many lines so that the
  // file splits before 201's lines.
  void install_edges(const std::vector<std::string>& pops, const std::vector<std::string>& shares,
                     const std::vector<std::string>& notes) {
    test::MiniInstallationPlan plan;
    plan.variables = test::test_variables();
    plan.first_year = 1900;
    plan.last_year = 2000;
    for (int year = 1900; year < 1990; ++year)
      plan.lines.push_back("203,C," + std::to_string(year) + ",2,0,-99,1,0.5,c");
    const std::size_t n = std::max({pops.size(), shares.size(), notes.size()});
    for (std::size_t k = 0; k < n; ++k) {
      const std::string year = std::to_string(1990 + static_cast<int>(k));
      auto at = [k](const std::vector<std::string>& v) { return k < v.size() ? v[k] : "1"; };
      plan.lines.push_back("201,A," + year + ",2,0,-99," + at(pops) + "," + at(shares) + "," +
                           at(notes));
      plan.lines.push_back("202,B," + year + ",2,0,-99,.,,.");
    }
    install(plan);
  }
  std::unique_ptr<TKIV_array_obj> load_edges() {
    TKIV_array_obj::read_ahead_min_bytes = GetParam() ? 1 : std::int64_t{1} << 40;
    auto data = load(1900, 2000);
    TKIV_array_obj::read_ahead_min_bytes = 8 << 20;
    return data;
  }
};

TEST_P(ColumnTypes, IntegerColumnKeepsMissingBlankAndLargestValues) {
  install_edges({".", "", "2147483647", "-2147483647", "-2147483648", "-99", "2147483648", "0"}, {},
                {});
  auto data = load_edges();
  const std::int64_t want[] = {-99, -99, 2147483647, -2147483647, -2147483648, -99, -99, 0};
  for (int k = 0; k < 8; ++k) {
    const TaggedValue v = value(*data, "pop", 1990 + k, 201);
    EXPECT_EQ(v.kind(), Kind::Int32) << k;
    EXPECT_EQ(v.to_int(), want[k]) << k;
  }
  // Beyond 32 bits is a conversion failure, stored as the missing code.
  EXPECT_EQ(count_of("Error converting variable number 7.  Value seen was \"2147483648\".  "
                     "Probable error in KIV data or .mdf file.  Notify programmer."),
            1);
}

TEST_P(ColumnTypes, RealColumnKeepsNegativeZeroAndEveryBit) {
  const std::vector<std::string> shares = {"-0.0",   "0.123456785", "-0.000000005", "99999999.99",
                                           "1e-300", ".",           "-999",         "3"};
  install_edges({}, shares, {});
  auto data = load_edges();
  for (std::size_t k = 0; k < shares.size(); ++k) {
    const TaggedValue v = value(*data, "share", 1990 + static_cast<int>(k), 201);
    if (shares[k] == ".") {
      EXPECT_EQ(v.kind(), Kind::Int32);
      EXPECT_EQ(v.to_int(), -999);
      continue;
    }
    ASSERT_EQ(v.kind(), Kind::Double) << shares[k];
    const double want = std::strtod(shares[k].c_str(), nullptr);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(v.to_double()), std::bit_cast<std::uint64_t>(want))
        << shares[k];
  }
  EXPECT_TRUE(std::signbit(value(*data, "share", 1990, 201).to_double()));
}

TEST_P(ColumnTypes, TextColumnKeepsEmptyAndLongTexts) {
  const std::string long_text(3000, 'w');
  install_edges({}, {}, {"\"\"", long_text, "\"a, b\"", "."});
  auto data = load_edges();
  // An empty field is a blank one: the missing code.
  EXPECT_EQ(value(*data, "note", 1990, 201).kind(), Kind::Int32);
  EXPECT_EQ(value(*data, "note", 1991, 201).to_text(), long_text);
  EXPECT_EQ(value(*data, "note", 1992, 201).to_text(), "a, b");
  EXPECT_EQ(value(*data, "note", 1993, 201).to_int(), -99);
  // An empty text set later is a text all the same.
  data->set_group_value(0, inst->var("note"), TaggedValue::text(""), 1993, 201);
  const TaggedValue empty = value(*data, "note", 1993, 201);
  ASSERT_TRUE(empty.is_text());
  EXPECT_EQ(empty.text_ref(), "");
}

TEST_P(ColumnTypes, ColumnMissingForAWholeGroupStaysMissing) {
  install_edges({"10", ".", "20"}, {"0.5", ".", "1.5"}, {"x", ".", "y"});
  auto data = load_edges();
  session.selections->interpolate = true;
  data->interpolate(inst->description(), *session.selections);
  for (int year = 1990; year <= 1992; ++year) {
    for (const char* name : {"pop", "note"}) {
      const TaggedValue v = value(*data, name, year, 202);
      EXPECT_EQ(v.kind(), Kind::Int32) << name << year;
      EXPECT_EQ(v.to_int(), -99) << name << year;
    }
    EXPECT_EQ(value(*data, "share", year, 202).to_int(), -999);
  }
  // The other group's gap is filled as before.
  EXPECT_EQ(value(*data, "pop", 1991, 201).to_int(), 15);
  EXPECT_EQ(value(*data, "share", 1991, 201).to_double(), 1.0);
  EXPECT_EQ(value(*data, "note", 1991, 201).to_text(), "x");
}

INSTANTIATE_TEST_SUITE_P(OneAndTwoCores, ColumnTypes, ::testing::Bool());

}  // namespace
}  // namespace tandrel
