#include <gtest/gtest.h>

#include "diagnostics/OutputWindow.h"
#include "output/Destination.h"
#include "output/OutputColumns.h"
#include "output/OutputTestSupport.h"
#include "process/Exceptions.h"

namespace tandrel {
namespace {

using Names = std::vector<std::string>;

Names numbered(const std::string& stem, int from, int to) {
  Names names;
  for (int i = from; i <= to; ++i) names.push_back(stem + (i < 10 ? "0" : "") + std::to_string(i));
  return names;
}

TEST(UniqueVarName, FollowsTheNumberingScheme) {
  const struct {
    Names names;
    std::string name, expected;
  } cases[] = {
      {{"year_1", "year_2"}, "numcode", "numcode"},
      {{"NUMCODE"}, "numcode", "numcod01"},
      {{"numcode", "numcod01"}, "numcode", "numcod02"},
      {{"var12"}, "var12", "var13"},
      {{"x09"}, "x09", "x10"},
      {{"population", "popula01"}, "population", "popula02"},
  };
  for (const auto& c : cases) EXPECT_EQ(unique_var_name(c.names, c.name), c.expected) << c.name;
}

TEST(UniqueVarName, ShortNameWithoutFinalDigitsNoLongerLoopsForever) {
  EXPECT_EQ(unique_var_name({"group"}, "group"), "group01");
  EXPECT_EQ(unique_var_name({"x5", "x501"}, "x5"), "x502");
}

TEST(UniqueVarName, CounterPassing99NoLongerWrapsToTenAndLoopsForever) {
  Names taken = numbered("var", 10, 99);
  EXPECT_EQ(unique_var_name(taken, "var10"), "va100");
  Names one_letter = numbered("v", 1, 99);
  one_letter.push_back("v");
  EXPECT_EQ(unique_var_name(one_letter, "v"), "v100");  // still starts with a letter
}

class Columns : public test::OutputFixture {
 protected:
  void run(Tuser_data_set_listing_obj& description, bool merged, int variables,
           separator_type sep = separator_type::SepComma) {
    user_selection_type s;
    s.output_format.separator = sep;
    for (int v = 0; v < variables; ++v) s.variable_selections.variable_columns.push_back(v);
    set_header(description, merged, s, rows, lists, header, separator);
  }
  static std::string renamed(const std::string& from, const std::string& to) {
    return "KIV dataset contains variables with identical names.  The variable originally "
           "named \"" +
           from + "\" has been renamed to \"" + to +
           "\".  Please make a note for using the output dataset.";
  }

  display_output_array_type rows{{"stale", "", "", ""}};
  output_variable_lists lists;
  std::string header = "stale", separator;
};

TEST_F(Columns, HeaderLineForEachSeparatorWithAndWithoutMergedCases) {
  const struct {
    separator_type sep;
    bool merged;
    int variables;
    std::string expected;
  } cases[] = {
      {separator_type::SepComma, false, 4, "year_1,year_2,x,r,s,t"},
      {separator_type::SepComma, true, 4,
       "year_1,year_2,x_mean,x_min,x_max,r_mean,r_min,r_max,s_min,s_max,t_min,t_max,agg_cnt"},
      {separator_type::SepSpace, true, 1, "year_1 year_2 x_mean x_min x_max agg_cnt"},
      {separator_type::SepTab, false, 2, "year_1\tyear_2\tx\tr"},
      {separator_type::SepTab, true, 0, "year_1\tyear_2\tagg_cnt"},
  };
  for (const auto& c : cases) {
    auto description = test::make_listing({{"x", kVarTypeInteger},
                                           {"r", kVarTypeReal},
                                           {"s", kVarTypeString},
                                           {"t", kVarTypeOleString}});
    run(description, c.merged, c.variables, c.sep);
    EXPECT_EQ(header, c.expected);
    EXPECT_EQ(separator, separator_text(c.sep));
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(Columns, MergedColumnsCarryTypesMissingCodesLabelsAndRows) {
  auto description = test::make_listing({{"x", kVarTypeInteger, -7}, {"s", kVarTypeString, -9}});
  run(description, true, 2);
  EXPECT_EQ(lists.types,
            (Names{"long", "long", "float", "long", "long", "str32", "str32", "long"}));
  EXPECT_EQ(lists.missing_codes, (Names{"-99", "-99", "-7", "-7", "-7", "-9", "-9", "-99"}));
  EXPECT_EQ(lists.labels,
            (Names{"First year of observation", "Final year of observation", "x label",
                   "Minimum - x label", "Maximum - x label", "Minimum - s label",
                   "Maximum - s label", "Number of cases aggregated in this observation"}));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[2].mean_name + rows[2].min_name + rows[2].max_name, "x_meanx_minx_max");
  EXPECT_EQ(rows[3].mean_name, "");  // a text has no mean
  EXPECT_EQ(rows[4].name, "agg_cnt");
}

TEST_F(Columns, RepeatedNamesAreRenamedTheUserToldAndTheDescriptionFollows) {
  auto description = test::make_listing(
      {{"numcode", kVarTypeInteger}, {"NumCode", kVarTypeInteger}, {"numcode", kVarTypeInteger}});
  run(description, false, 3);
  EXPECT_EQ(header, "year_1,year_2,numcode,NumCod01,numcod02");
  EXPECT_EQ(messages(), (Names{renamed("NumCode", "NumCod01"), renamed("numcode", "numcod02")}));
  EXPECT_EQ(description.get_var_name(0, 2), "numcod02");
}

TEST_F(Columns, RepeatedNamesInAMergedRunGiveUniqueColumns) {
  auto description = test::make_listing({{"x", kVarTypeInteger}, {"X", kVarTypeReal}});
  run(description, true, 2);
  EXPECT_EQ(header, "year_1,year_2,x_mean,x_min,x_max,X01_mean,X01_min,X01_max,agg_cnt");
  EXPECT_EQ(messages(), Names{renamed("X", "X01")});
  EXPECT_EQ(description.get_var_name(0, 1), "X01");
}

TEST_F(Columns, UnknownTypeCodeIsReportedAndWrittenAsFloat) {
  auto description = test::make_listing({{"odd", 5}});
  run(description, false, 1);
  EXPECT_EQ(lists.types.back(), "float");
  EXPECT_EQ(last_report(),
            "Var type did not have an appropriate type in set header, KIVOutput proc.  notify "
            "programmer");
}

TEST_F(Columns, HeaderIsWrittenOnlyWhenAskedForAndAFailureIsReported) {
  user_selection_type s;
  OutputChannel screen;
  screen.open_screen(*g.output_window);
  s.output_format.header_line = false;
  write_header(screen, s, "year_1,year_2");
  s.output_format.header_line = true;
  write_header(screen, s, "year_1,year_2");
  EXPECT_EQ(g.output_window->Screen_Output(), std::deque<std::string>{"year_1,year_2"});
  OutputChannel never_opened;
  EXPECT_THROW(write_header(never_opened, s, "year_1"), EInOutError);
  EXPECT_EQ(last_report(),
            "Error writing to main output file.  File may be in use by another program, may be "
            "read-only, or disk may be full.  Check files and try again.");
}

}  // namespace
}  // namespace tandrel
