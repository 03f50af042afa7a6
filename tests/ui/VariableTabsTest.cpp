// Building the variable pages from the description's tab numbers.

#include "ui/VariableTabs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "reference/DataSetListing.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

struct Tab {
  std::int32_t number;
  std::string label;
  int variables;
};

Tuser_data_set_listing_obj listing(const std::vector<Tab>& tabs) {
  data_set_info_record ds;
  for (const Tab& tab : tabs)
    for (int i = 0; i < tab.variables; ++i) {
      one_var_data_type v;
      v.var_name = "t" + std::to_string(tab.number) + "_" + std::to_string(i);
      v.tab_number = tab.number;
      v.tab_label = tab.label;
      ds.variables.push_back(v);
    }
  return Tuser_data_set_listing_obj({ds});
}

class VariableTabs : public test::GlobalsFixture {
 protected:
  VariableTabs() { open_error_log(); }

  int log_count(const std::string& text) const {
    const std::string log = error_log_text();
    int n = 0;
    for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
    return n;
  }
};

TEST_F(VariableTabs, AGapInTheTabNumbersBecomesAPageWithoutTab) {
  auto d = listing({{3, "A", 1}, {4, "B", 1}, {6, "D", 1}});
  VariablePages pages = BuildVariableTabs(d, tab_style_type::SubTabs);
  ASSERT_EQ(pages.TabCount, 4);
  std::vector<bool> visible;
  for (const auto& page : pages.TabInfo) visible.push_back(page.visible);
  EXPECT_EQ(visible, (std::vector<bool>{true, true, false, true}));
  EXPECT_FALSE(pages.frames[2].has_tab);
  EXPECT_EQ(pages.TabInfo[2].label, "blank");
  EXPECT_EQ(d.get_var_tab_number(0, 0), 0);
  EXPECT_EQ(d.get_var_tab_number(0, 1), 1);
  EXPECT_EQ(d.get_var_tab_number(0, 2), 3);
  const std::string gap =
      "In Tandrel configuration file, the first and last tab #s specified were 3 and 6, but not "
      "every numbered tab in between was specified.  You may wish to recheck configuration file "
      "and rerun.";
  EXPECT_EQ(log_count(gap), 1);
  const auto lines = trace_lines();
  EXPECT_EQ(std::count_if(
                lines.begin(), lines.end(),
                [&](const std::string& l) { return l.find("Note:  " + gap) != std::string::npos; }),
            1);
  EXPECT_TRUE(platform.shown().empty()) << "a gap shows no dialog";
}

struct SplitCase {
  int variables;
  int sub_tabs;
  std::vector<std::int32_t> counts;
};

class SubTabSplit : public VariableTabs, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(SubTabSplit, CrowdedPagesGetSubTabsOf58) {
  auto d = listing({{0, "Ids", 3}, {1, "Big", GetParam().variables}});
  VariablePages pages = BuildVariableTabs(d, tab_style_type::SubTabs);
  const individual_tab_info_type& big = pages.TabInfo[1];
  EXPECT_EQ(big.sub_tab_count, GetParam().sub_tabs);
  std::vector<std::int32_t> counts;
  for (const sub_tab_info& sub : big.sub_tabs) counts.push_back(sub.count);
  EXPECT_EQ(counts, GetParam().counts);
  EXPECT_EQ(pages.frames[1].sub_page_control.empty(), GetParam().sub_tabs == 0);
  // The window's boxes stand in the order the shared variable rules assume.
  EXPECT_EQ(pages.VarCheckBoxes, build_variable_boxes(d));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SubTabSplit,
                         ::testing::Values(SplitCase{58, 0, {}}, SplitCase{59, 2, {58, 1}},
                                           SplitCase{116, 2, {58, 58}},
                                           SplitCase{117, 3, {58, 58, 1}}));

TEST_F(VariableTabs, BoxesFillAColumnUntilOneReachesTheBottomStrip) {
  auto d = listing({{0, "A", 10}, {1, "B", 60}});
  VarPageSize size;
  size.page_client_height = 200;  // a box from row 7 on reaches below 168
  size.sub_page_client_height = 120;
  VariablePages pages = BuildVariableTabs(d, tab_style_type::SubTabs, size);
  auto at = [&](std::size_t k) {
    return std::pair{pages.places[k].bounds.left, pages.places[k].bounds.top};
  };
  EXPECT_EQ(at(0), (std::pair{18, 18}));
  EXPECT_EQ(at(7), (std::pair{18, 158}));
  EXPECT_EQ(at(8), (std::pair{130, 18}));
  EXPECT_EQ(at(9), (std::pair{130, 38}));
  EXPECT_EQ(pages.places[9].name, "VarBox9");
  // Sub-tab pages measure against their own height: 4 boxes a column.
  EXPECT_EQ(at(10 + 4), (std::pair{130, 18}));
  EXPECT_EQ(pages.places[10 + 58].sub_tab, 1);
  EXPECT_EQ(at(10 + 58), (std::pair{18, 18}));
  // The grid a view lays out: the same columns and rows as the pixels.
  auto cell = [&](std::size_t k) { return std::pair{pages.places[k].column, pages.places[k].row}; };
  EXPECT_EQ(cell(7), (std::pair{0, 7}));
  EXPECT_EQ(cell(9), (std::pair{1, 1}));
  EXPECT_EQ(cell(10 + 4), (std::pair{1, 0}));
  EXPECT_EQ(cell(10 + 58), (std::pair{0, 0}));
}

TEST_F(VariableTabs, FullyTabbedContinuesCrowdedPagesOnNewPages) {
  auto d = listing({{0, "Economic", 130}, {1, "Social", 1}});
  VariablePages pages = BuildVariableTabs(d, tab_style_type::FullyTabbed);
  ASSERT_EQ(pages.TabCount, 4);
  std::vector<std::string> labels;
  std::vector<std::int32_t> counts;
  for (const auto& page : pages.TabInfo) {
    labels.push_back(page.label);
    counts.push_back(page.count);
  }
  EXPECT_EQ(labels,
            (std::vector<std::string>{"Economic (1)", "Economic (2)", "Economic (3)", "Social"}));
  EXPECT_EQ(counts, (std::vector<std::int32_t>{58, 58, 14, 1}));
  EXPECT_EQ(pages.places.back().page, 3);
}

// The continuation number was taken from the one digit before ")", so the
// page after "(19)" was labelled "(110)".
TEST_F(VariableTabs, ContinuationPagesPastNineteenCountOn) {
  auto d = listing({{0, "Economic", 58 * 20 + 1}});
  VariablePages pages = BuildVariableTabs(d, tab_style_type::FullyTabbed);
  ASSERT_EQ(pages.TabCount, 21);
  EXPECT_EQ(pages.TabInfo[19].label, "Economic (20)");
  EXPECT_EQ(pages.TabInfo[20].label, "Economic (21)");
}

TEST_F(VariableTabs, ATabNumberOutsideTheSlotsIsReportedAndKept) {
  auto d = listing({{0, "A", 1}, {140, "Far", 1}});
  VariablePages pages = BuildVariableTabs(d, tab_style_type::SubTabs);
  EXPECT_EQ(pages.TabCount, 101);
  EXPECT_EQ(pages.places.back().page, 100);
  EXPECT_EQ(log_count("has tab number 140"), 1);
}

}  // namespace
}  // namespace tandrel
