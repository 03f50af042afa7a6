#include "reference/VariableRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/DataSetListing.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

one_var_data_type var(std::string name, std::int32_t interval = 0, std::int32_t tab = 0,
                      std::int16_t type = kVarTypeInteger) {
  one_var_data_type v;
  v.var_name = std::move(name);
  v.var_type = type;
  v.interval = interval;
  v.tab_number = tab;
  return v;
}

Tuser_data_set_listing_obj listing(std::vector<one_var_data_type> vars) {
  data_set_info_record ds;
  ds.variables = std::move(vars);
  return Tuser_data_set_listing_obj({ds});
}

std::vector<std::int32_t> chosen(const std::vector<VariableBox>& boxes) {
  user_selection_type s;
  s.variable_selections.variable_columns = {99};
  read_variable_selections(boxes, s);
  return s.variable_selections.variable_columns;
}

class VariableRules : public test::GlobalsFixture {
 protected:
  VariableRules() { open_error_log(); }
};

TEST_F(VariableRules, BoxesFollowTabNumberThenDescriptionOrder) {
  auto d = listing({var("a", 0, 2), var("b", 0, 0), var("c", 0, 1), var("d", 0, 0), var("e", 0, 2),
                    var("f", 0, 1)});
  std::vector<VariableBox> boxes = build_variable_boxes(d);
  std::vector<std::int32_t> order;
  for (const VariableBox& b : boxes) {
    order.push_back(b.variable);
    EXPECT_TRUE(b.enabled && !b.checked);
  }
  EXPECT_EQ(order, (std::vector<std::int32_t>{1, 3, 2, 5, 0, 4}));
}

struct OfferCase {
  temporal_aggregation_type unit;
  bool interpolate;
  std::vector<bool> enabled;  // for intervals 0, 1, 2, 3, 5, 10
};

class OfferVariables : public VariableRules, public ::testing::WithParamInterface<OfferCase> {};

TEST_P(OfferVariables, EnablesIntervalsThatFitThePeriodAndNeverDiaspora) {
  auto d = listing({var("v0", 0), var("v1", 1), var("v2", 2), var("v3", 3), var("v5", 5),
                    var("v10", 10), var("diaspora", 0)});
  std::vector<VariableBox> boxes = build_variable_boxes(d);
  for (VariableBox& b : boxes) b.checked = true;
  user_selection_type s;
  s.temporal_aggregation = GetParam().unit;
  s.interpolate = GetParam().interpolate;
  offer_variables(boxes, d, s);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(boxes[i].enabled, GetParam().enabled[i]) << d.get_var_name(0, boxes[i].variable);
    EXPECT_TRUE(boxes[i].checked) << "a disabled box keeps its check";
  }
  EXPECT_EQ(boxes[6], (VariableBox{6, false, false}));
}

using T = temporal_aggregation_type;
INSTANTIATE_TEST_SUITE_P(TimeUnits, OfferVariables,
                         ::testing::Values(OfferCase{T::TimeAnnual, false, {1, 1, 0, 0, 0, 0}},
                                           OfferCase{T::Time2yr, false, {1, 1, 1, 0, 0, 0}},
                                           OfferCase{T::Time5yr, false, {1, 1, 0, 0, 1, 0}},
                                           OfferCase{T::Time10yr, false, {1, 1, 1, 0, 1, 1}},
                                           OfferCase{static_cast<T>(9), false, {1, 1, 0, 0, 0, 0}},
                                           OfferCase{T::TimeAnnual, true, {1, 1, 1, 1, 1, 1}},
                                           OfferCase{T::Time10yr, true, {1, 1, 1, 1, 1, 1}}));

TEST_F(VariableRules, GoChecksIdentifiersAndNeverSelectsExactDiaspora) {
  auto d = listing({var("NumCode", 1), var("GROUP"), var("year"), var("ccode"), var("Region"),
                    var("diaspora"), var("Diaspora"), var("pop")});
  std::vector<VariableBox> boxes = build_variable_boxes(d);
  boxes[0].enabled = false;  // an identifier the time unit disabled is still checked
  boxes[5].checked = true;
  user_selection_type s;
  apply_go_variable_rules(boxes, d, s);
  for (int i : {0, 1, 2, 3, 4, 6}) EXPECT_TRUE(boxes[i].checked) << i;
  EXPECT_EQ(boxes[5], (VariableBox{5, false, false}));
  EXPECT_FALSE(boxes[7].checked);
  EXPECT_EQ(chosen(boxes), (std::vector<std::int32_t>{1, 2, 3, 4, 6}));
  EXPECT_TRUE(platform.shown().empty());
}

struct LimdepCase {
  const char* name;
  output_destination_type destination;
  bool limdep;
  std::vector<std::int32_t> chosen;
  std::size_t reports;
};

class LimdepStrings : public VariableRules, public ::testing::WithParamInterface<LimdepCase> {};

TEST_P(LimdepStrings, CheckedStringsAreDroppedOnlyForALimdepDataFile) {
  const LimdepCase& c = GetParam();
  auto d = listing({var("year"), var("name", 0, 0, kVarTypeString),
                    var("label", 0, 0, kVarTypeOleString), var("note", 0, 0, kVarTypeString),
                    var("hidden", 0, 0, kVarTypeString)});
  std::vector<VariableBox> boxes = build_variable_boxes(d);
  boxes[1].checked = boxes[2].checked = boxes[4].checked = true;
  boxes[4].enabled = false;
  user_selection_type s;
  s.output_format.destination = c.destination;
  if (c.limdep) s.output_format.command_files.include(command_file_type::CmdLIMDEP);
  apply_go_variable_rules(boxes, d, s);
  EXPECT_EQ(chosen(boxes), c.chosen);
  ASSERT_EQ(platform.shown().size(), c.reports);
  if (c.reports == 0) return;
  EXPECT_FALSE(boxes[4].checked) << "a disabled string box is unchecked as well";
  for (std::size_t i = 0; i < c.reports; ++i) {
    const char* names[] = {"name", "label", "hidden"};
    EXPECT_NE(platform.shown()[i].text.find(
                  std::string("Error - a LIMDEP command file was requested, but a string variable "
                              "was selected for inclusion in the data set (variable \"") +
                  names[i] +
                  "\").  LIMDEP cannot process string variables.  The variable will be "
                  "deselected and will not appear in this output data set."),
              std::string::npos);
  }
}

using D = output_destination_type;
INSTANTIATE_TEST_SUITE_P(
    Destinations, LimdepStrings,
    ::testing::Values(LimdepCase{"FileWithLimdep", D::DestFile, true, {0}, 3},
                      LimdepCase{"FileWithoutLimdep", D::DestFile, false, {0, 1, 2}, 0},
                      LimdepCase{"ScreenWithLimdep", D::DestScreen, true, {0, 1, 2}, 0},
                      LimdepCase{"PrinterWithLimdep", D::DestPrinter, true, {0, 1, 2}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VariableRules, ReadingTheChoiceSkipsDisabledBoxesAndKeepsBoxOrder) {
  std::vector<VariableBox> boxes = {
      {4, true, true}, {0, true, false}, {2, false, true}, {1, true, true}};
  EXPECT_EQ(chosen(boxes), (std::vector<std::int32_t>{4, 1}));
  for (VariableBox& b : boxes) b.checked = false;
  EXPECT_TRUE(chosen(boxes).empty());
}

}  // namespace
}  // namespace tandrel
