// The main window on the sample installation: what start-up shows, and what
// the user's clicks leave in the selections record and in every widget.
#include <gmock/gmock.h>

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "DesktopFixture.h"
#include "MirrorCheck.h"
#include "diagnostics/OutputWindow.h"
#include "reference/DataSetListing.h"
#include "ui/GoSummary.h"

namespace tandrel::test {
namespace {

using ::testing::IsEmpty;

class MainWindowTest : public DesktopFixture {};

TEST_F(MainWindowTest, OpensOnTheSampleShowingWhatShowSelectionsPutInEveryControl) {
  start();
  EXPECT_EQ(window().windowTitle().toStdString(), "Tandrel");
  EXPECT_GE(window().width(), 535);
  EXPECT_GE(window().height(), 576);
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
  EXPECT_TRUE(widget<QWidget>("PhysGrpButton")->isEnabled());
  EXPECT_FALSE(widget<QWidget>("PhysDiasporaButton")->isEnabled());
  EXPECT_EQ(widget<QLineEdit>("SubYear1Edit")->text().toStdString(), form().SubYear1Edit.text);
}

// Nothing once said what Go would build without reading three pages.
TEST_F(MainWindowTest, TheStatusBarSaysWhatGoWouldBuildAfterEveryClick) {
  start();
  auto* summary = widget<QLabel>("GoSummary");
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->text().toStdString(), go_summary(form(), subset_totals(session->session())));
  click("PhysStateButton");
  click("Time5yrButton");
  const std::string line = summary->text().toStdString();
  EXPECT_EQ(line.rfind("State \u00d7 5-year, ", 0), 0u) << line;
  EXPECT_NE(
      line.find("all " + std::to_string(subset_totals(session->session()).states) + " states"),
      std::string::npos)
      << line;
  EXPECT_EQ(line, go_summary(form(), subset_totals(session->session())));
}

TEST_F(MainWindowTest, VariablePagesShowTheModelsPagesAndSubTabs) {
  start();
  auto* pages = widget<QTabWidget>("VarTabsPages");
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(pages->count(), static_cast<int>(form().VarPages.size()));
  for (int p = 0; p < pages->count(); ++p) {
    const VarPageFrame& frame = form().VarPages[static_cast<std::size_t>(p)];
    EXPECT_EQ(pages->tabText(p).toStdString(), frame.caption);
    EXPECT_EQ(pages->isTabVisible(p), frame.has_tab);
    auto* sub = pages->widget(p)->findChild<QTabWidget*>();
    if (frame.sub_sheets.empty()) continue;
    auto* inner = qobject_cast<QTabWidget*>(pages->widget(p));
    ASSERT_NE(inner, nullptr) << frame.caption;
    EXPECT_EQ(inner->count(), static_cast<int>(frame.sub_sheets.size()));
    (void)sub;
  }
}

// One user story: the clicks, then what the selections must say.
struct ClickCase {
  const char* name;
  std::function<void(DesktopFixture&)> clicks;
  std::function<void(const user_selection_type&, TGenerateForm&)> expect;
};

// To File asks for the file at once.
void choose_file(DesktopFixture& f) {
  f.answer_file(f.dir.file("out.csv"));
  f.click("ToFileRadioDial");
}

void type_year(DesktopFixture& f, const char* name, const char* text) {
  auto* edit = f.window().findChild<QLineEdit*>(QString::fromLatin1(name));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Home);
  edit->clear();
  QTest::keyClicks(edit, QString::fromLatin1(text));
  // Leaving the edit runs its rule.
  f.window().findChild<QWidget*>(QStringLiteral("All_Yrs"))->setFocus();
}

using PT = physical_aggregation_type;
using TT = temporal_aggregation_type;

const ClickCase kClickCases[] = {
    {"StateUnit", [](auto& f) { f.click("PhysStateButton"); },
     [](const auto& s, auto& form) {
       EXPECT_EQ(s.physical_aggregation, PT::PhysState);
       EXPECT_TRUE(form.AllStatesCheckBox.enabled);
     }},
    {"RegionUnit", [](auto& f) { f.click("PhysRegionButton"); },
     [](const auto& s, auto&) { EXPECT_EQ(s.physical_aggregation, PT::PhysRegion); }},
    {"GlobeUnit", [](auto& f) { f.click("PhysGlobeButton"); },
     [](const auto& s, auto&) { EXPECT_EQ(s.physical_aggregation, PT::PhysGlobe); }},
    {"GroupUnitAfterState",
     [](auto& f) {
       f.click("PhysStateButton");
       f.click("PhysGrpButton");
     },
     [](const auto& s, auto& form) {
       EXPECT_EQ(s.physical_aggregation, PT::PhysGroup);
       EXPECT_FALSE(form.AllStatesCheckBox.enabled);
     }},
    {"TwoYears", [](auto& f) { f.click("Time2yrButton"); },
     [](const auto& s, auto&) { EXPECT_EQ(s.temporal_aggregation, TT::Time2yr); }},
    {"FiveYears", [](auto& f) { f.click("Time5yrButton"); },
     [](const auto& s, auto&) { EXPECT_EQ(s.temporal_aggregation, TT::Time5yr); }},
    {"TenYears", [](auto& f) { f.click("Time10yrButton"); },
     [](const auto& s, auto&) { EXPECT_EQ(s.temporal_aggregation, TT::Time10yr); }},
    {"AnnualAfterTenYears",
     [](auto& f) {
       f.click("Time10yrButton");
       f.click("TimeAnnualButton");
     },
     [](const auto& s, auto&) { EXPECT_EQ(s.temporal_aggregation, TT::TimeAnnual); }},
    {"InterpolationOn", [](auto& f) { f.click("InterpolateYesButton"); },
     [](const auto& s, auto& form) {
       EXPECT_TRUE(s.interpolate);
       EXPECT_TRUE(form.LinearInterpCheckBox.enabled);
     }},
    {"CarryForward",
     [](auto& f) {
       f.click("InterpolateYesButton");
       f.click("CarryforwardInterpCheckBox");
     },
     [](const auto& s, auto&) {
       EXPECT_TRUE(s.interpolate);
       EXPECT_EQ(s.interpolation_method, interpolation_method_type::InterpCarryForward);
     }},
    {"InterpolationOff",
     [](auto& f) {
       f.click("InterpolateYesButton");
       f.click("InterpolateNoButton");
     },
     [](const auto& s, auto& form) {
       EXPECT_FALSE(s.interpolate);
       EXPECT_FALSE(form.LinearInterpCheckBox.enabled);
     }},
    {"MissingCasesOff", [](auto& f) { f.click("IncludeMissingCheckBox"); },
     [](const auto& s, auto&) { EXPECT_FALSE(s.output_missing_cases); }},
    {"GoodYears",
     [](auto& f) {
       f.click("Specified_Yrs");
       type_year(f, "SubYear1Edit", "1960");
       type_year(f, "SubYear2Edit", "1990");
     },
     [](const auto& s, auto&) {
       EXPECT_EQ(s.first_year, 1960);
       EXPECT_EQ(s.last_year, 1990);
     }},
    {"BadFirstYearIsPutBack",
     [](auto& f) {
       f.click("Specified_Yrs");
       f.answer_press("OK");
       type_year(f, "SubYear1Edit", "1200");
     },
     [](const auto& s, auto& form) {
       const int first = form.session().description->get_first_year_possible(0);
       EXPECT_EQ(s.first_year, first);
       EXPECT_EQ(form.SubYear1Edit.text, std::to_string(first));
     }},
    {"TabSeparator",
     [](auto& f) {
       choose_file(f);
       f.click("SeparateWithTabs");
     },
     [](const auto& s, auto&) { EXPECT_EQ(s.output_format.separator, separator_type::SepTab); }},
    {"SpaceSeparator",
     [](auto& f) {
       choose_file(f);
       f.click("SeparateWithSpaces");
     },
     [](const auto& s, auto&) { EXPECT_EQ(s.output_format.separator, separator_type::SepSpace); }},
    {"CommaSeparatorAfterTabs",
     [](auto& f) {
       choose_file(f);
       f.click("SeparateWithTabs");
       f.click("SeparateWithCommas");
     },
     [](const auto& s, auto&) { EXPECT_EQ(s.output_format.separator, separator_type::SepComma); }},
    {"CommandFiles",
     [](auto& f) {
       choose_file(f);
       f.click("SPSSCommandFileCheckBox");
       f.click("StataCommandFileCheckBox");
       f.click("LIMDEPCommandFileCheckBox");
       f.click("StataCommandFileCheckBox");
       f.click("SPSSDataFileCheckBox");
     },
     [](const auto& s, auto&) {
       const command_file_set files = s.output_format.command_files;
       EXPECT_TRUE(files.contains(command_file_type::CmdSPSS));
       EXPECT_FALSE(files.contains(command_file_type::CmdStata));
       EXPECT_TRUE(files.contains(command_file_type::CmdLIMDEP));
       EXPECT_TRUE(s.output_format.native_files.contains(native_file_type::NativeSav));
       EXPECT_FALSE(s.output_format.native_files.contains(native_file_type::NativeDta));
     }},
    {"ScreenShutsCommandFiles", [](auto& f) { f.click("ToScreenRadioDial"); },
     [](const auto& s, auto& form) {
       EXPECT_EQ(s.output_format.destination, output_destination_type::DestScreen);
       EXPECT_FALSE(form.SPSSCommandFileCheckBox.enabled);
     }},
    {"HeaderOff", [](auto& f) { f.click("Header"); },
     [](const auto& s, auto&) { EXPECT_FALSE(s.output_format.header_line); }},
    {"TraceOn", [](auto& f) { f.choose("TraceOnMenuItem"); },
     [](const auto&, auto& form) {
       EXPECT_TRUE(form.TraceOnMenuItem.checked);
       EXPECT_TRUE(globals().trace_window->visible);
     }},
};

class MainWindowClicks : public DesktopFixture, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MainWindowClicks, LeaveTheSelectionsAndEveryWidgetAsTheModelSays) {
  start();
  GetParam().clicks(*this);
  GetParam().expect(sel(), form());
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Desktop, MainWindowClicks, ::testing::ValuesIn(kClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, SelectNoneThenOnePagesSelectAllActOnThePageShown) {
  start();
  widget<QTabWidget>("SelectionTabs")->setCurrentIndex(2);
  auto* pages = widget<QTabWidget>("VarTabsPages");
  ASSERT_GE(pages->count(), 2);
  pages->setCurrentIndex(0);
  click("UnselectAllButton");
  pages->setCurrentIndex(1);
  ASSERT_EQ(form().VarTabs.active_page, 1);
  click("SelectAllButton");
  const Tuser_data_set_listing_obj& description = *session->session().description;
  for (std::size_t k = 0; k < form().VarCheckBoxes.size(); ++k) {
    const VariableBox& box = form().VarCheckBoxes[k];
    const VarBoxPlace& place = form().VarBoxPlaces[k];
    const std::string& name = description.get_var_name(0, box.variable);
    if (place.page == 0) {
      // "diaspora" is withdrawn for every unit but the diaspora.
      EXPECT_EQ(box.checked, is_identifier_variable(name) && name != "diaspora") << name;
    } else if (place.page == 1 && place.sub_tab < 1 && box.enabled && name != "diaspora") {
      EXPECT_TRUE(box.checked) << name;
    }
  }
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

}  // namespace
}  // namespace tandrel::test
