#include <gtest/gtest.h>

#include "diagnostics/Exceptions.h"
#include "output/Destination.h"
#include "output/OutputColumns.h"
#include "output/OutputTestSupport.h"
#include "support/GlobalsFixture.h"
#include "ui/OutputWindow.h"

namespace tandrel {
namespace {

using test::first_columns;
using test::GlobalsFixture;
using test::make_listing;
using Names = std::vector<std::string>;

struct UniqueCase {
  const char* what;
  Names names;
  std::string name;
  std::string expected;
};

Names numbered_names(const std::string& stem, int from, int to) {
  Names names;
  for (int i = from; i <= to; ++i) names.push_back(stem + (i < 10 ? "0" : "") + std::to_string(i));
  return names;
}

TEST(UniqueVarName, FollowsTheNumberingScheme) {
  const UniqueCase cases[] = {
      {"free name kept", {"year_1", "year_2"}, "numcode", "numcode"},
      {"letter case ignored", {"NUMCODE"}, "numcode", "numcod01"},
      {"third copy", {"numcode", "numcod01"}, "numcode", "numcod02"},
      {"final digits count up", {"var12"}, "var12", "var13"},
      {"long name cut to six", {"population"}, "population", "popula01"},
      {"counter skips taken names", {"popula01", "popula02", "popula"}, "popula", "popula03"},
      {"nine becomes ten", {"x09"}, "x09", "x10"},
  };
  for (const auto& c : cases) EXPECT_EQ(unique_var_name(c.names, c.name), c.expected) << c.what;
}

TEST(UniqueVarName, ShortNameWithoutFinalDigitsNoLongerLoopsForever) {
  EXPECT_EQ(unique_var_name({"group"}, "group"), "group01");
  EXPECT_EQ(unique_var_name({"ab", "ab01"}, "ab"), "ab02");
  EXPECT_EQ(unique_var_name({"x5"}, "x5"), "x501");
}

TEST(UniqueVarName, CounterPassing99NoLongerWrapsToTenAndLoopsForever) {
  Names taken = numbered_names("var", 10, 99);
  EXPECT_EQ(unique_var_name(taken, "var10"), "va100");
  taken.push_back("va100");
  EXPECT_EQ(unique_var_name(taken, "var99"), "va101");
  // A one-letter stem is kept so the name still starts with a letter.
  Names one_letter = numbered_names("v", 1, 99);
  one_letter.push_back("v");
  EXPECT_EQ(unique_var_name(one_letter, "v"), "v100");
}

class Columns : public GlobalsFixture {
 protected:
  Columns() { open_error_log(); }

  void run(Tuser_data_set_listing_obj& description, bool merged, separator_type sep,
           int variables) {
    user_selection_type s;
    s.output_format.separator = sep;
    s.variable_selections.variable_columns = first_columns(variables);
    set_header(description, merged, s, rows, lists, header, separator);
  }

  display_output_array_type rows{{"stale", "", "", ""}};
  output_variable_lists lists;
  std::string header = "stale";
  std::string separator;
};

struct HeaderCase {
  separator_type sep;
  bool merged;
  int variables;
  std::string expected;
};

TEST_F(Columns, HeaderLineForEachSeparatorWithAndWithoutMergedCases) {
  const HeaderCase cases[] = {
      {separator_type::SepComma, false, 3, "year_1,year_2,x,r,s"},
      {separator_type::SepComma, true, 3,
       "year_1,year_2,x_mean,x_min,x_max,r_mean,r_min,r_max,s_min,s_max,agg_cnt"},
      {separator_type::SepSpace, false, 3, "year_1 year_2 x r s"},
      {separator_type::SepSpace, true, 1, "year_1 year_2 x_mean x_min x_max agg_cnt"},
      {separator_type::SepTab, false, 2, "year_1\tyear_2\tx\tr"},
      {separator_type::SepTab, true, 0, "year_1\tyear_2\tagg_cnt"},
      {separator_type::SepComma, false, 0, "year_1,year_2"},
  };
  for (const auto& c : cases) {
    auto description =
        make_listing({{"x", kVarTypeInteger}, {"r", kVarTypeReal}, {"s", kVarTypeString, -9}});
    run(description, c.merged, c.sep, c.variables);
    EXPECT_EQ(header, c.expected);
    EXPECT_EQ(lists.size(), lists.types.size());
    EXPECT_EQ(separator, separator_text(c.sep));
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(Columns, MergedRunGivesMeanMinimumMaximumWithTypesCodesAndLabels) {
  auto description = make_listing({{"x", kVarTypeInteger, -7}, {"s", kVarTypeString, -9}});
  run(description, true, separator_type::SepComma, 2);
  EXPECT_EQ(lists.types,
            (Names{"long", "long", "float", "long", "long", "str32", "str32", "long"}));
  EXPECT_EQ(lists.missing_codes, (Names{"-99", "-99", "-7", "-7", "-7", "-9", "-9", "-99"}));
  EXPECT_EQ(lists.labels,
            (Names{"First year of observation", "Final year of observation", "x label",
                   "Minimum - x label", "Maximum - x label", "Minimum - s label",
                   "Maximum - s label", "Number of cases aggregated in this observation"}));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].name, "year_1");
  EXPECT_EQ(rows[2].mean_name, "x_mean");
  EXPECT_EQ(rows[2].min_name, "x_min");
  EXPECT_EQ(rows[2].max_name, "x_max");
  // A string variable has no mean column.
  EXPECT_EQ(rows[3].name, "s");
  EXPECT_EQ(rows[3].mean_name, "");
  EXPECT_EQ(rows[3].min_name, "s_min");
  EXPECT_EQ(rows[4].name, "agg_cnt");
}

TEST_F(Columns, TextOfTheSecondStringTypeHasNoMeanEither) {
  auto description = make_listing({{"t", kVarTypeOleString}});
  run(description, true, separator_type::SepComma, 1);
  EXPECT_EQ(header, "year_1,year_2,t_min,t_max,agg_cnt");
  EXPECT_EQ(lists.types[2], "str32");
}

std::string rename_box(const std::string& from, const std::string& to) {
  return "KIV dataset contains variables with identical names.  The variable originally named \"" +
         from + "\" has been renamed to \"" + to +
         "\".  Please make a note for using the output dataset.";
}

TEST_F(Columns, RepeatedNamesAreRenamedTheUserToldAndTheDescriptionFollows) {
  auto description = make_listing(
      {{"numcode", kVarTypeInteger}, {"NumCode", kVarTypeInteger}, {"numcode", kVarTypeInteger}});
  run(description, false, separator_type::SepComma, 3);
  EXPECT_EQ(header, "year_1,year_2,numcode,NumCod01,numcod02");
  EXPECT_EQ(messages(),
            (Names{rename_box("NumCode", "NumCod01"), rename_box("numcode", "numcod02")}));
  EXPECT_EQ(description.get_var_name(0, 1), "NumCod01");
  EXPECT_EQ(description.get_var_name(0, 2), "numcod02");
  EXPECT_EQ(rows[3].name, "NumCod01");
}

TEST_F(Columns, RepeatedNamesInAMergedRunGiveUniqueColumns) {
  auto description =
      make_listing({{"x", kVarTypeInteger}, {"X", kVarTypeReal}, {"year_1", kVarTypeInteger}});
  run(description, true, separator_type::SepComma, 3);
  EXPECT_EQ(header,
            "year_1,year_2,x_mean,x_min,x_max,X01_mean,X01_min,X01_max,"
            "year_101_mean,year_101_min,year_101_max,agg_cnt");
  EXPECT_EQ(messages(), (Names{rename_box("X", "X01"), rename_box("year_1", "year_101")}));
  EXPECT_EQ(rows[3].name, "X01");
  EXPECT_EQ(description.get_var_name(0, 1), "X01");
}

TEST_F(Columns, UnknownTypeCodeIsReportedAndWrittenAsFloat) {
  auto description = make_listing({{"odd", 5}});
  run(description, false, separator_type::SepComma, 1);
  EXPECT_EQ(lists.types.back(), "float");
  ASSERT_FALSE(platform.shown().empty());
  EXPECT_NE(platform.shown().back().text.find(
                "Var type did not have an appropriate type in set header, KIVOutput proc.  notify "
                "programmer"),
            std::string::npos);
}

TEST_F(Columns, HeaderIsWrittenOnlyWhenAskedFor) {
  user_selection_type s;
  s.output_format.destination = output_destination_type::DestScreen;
  OutputChannel channel;
  channel.open_screen(*g.output_window);
  s.output_format.header_line = false;
  write_header(channel, s, "year_1,year_2");
  EXPECT_EQ(g.output_window->line_count(), 0u);
  s.output_format.header_line = true;
  write_header(channel, s, "year_1,year_2");
  ASSERT_EQ(g.output_window->line_count(), 1u);
  EXPECT_EQ(g.output_window->Screen_Output()[0], "year_1,year_2");
}

TEST_F(Columns, HeaderWriteFailureIsReportedAndRaised) {
  user_selection_type s;
  OutputChannel never_opened;
  EXPECT_THROW(write_header(never_opened, s, "year_1,year_2"), EInOutError);
  ASSERT_FALSE(platform.shown().empty());
  EXPECT_NE(platform.shown().back().text.find(
                "Error writing to main output file.  File may be in use by another program, may "
                "be read-only, or disk may be full.  Check files and try again."),
            std::string::npos);
}

}  // namespace
}  // namespace tandrel
