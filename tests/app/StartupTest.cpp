#include <gtest/gtest.h>

#include <cstdio>

#include "app/Startup.h"
#include "diagnostics/OutputWindow.h"
#include "diagnostics/Trace.h"
#include "platform/HeadlessPlatform.h"
#include "process/Exceptions.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Selections.h"
#include "support/DiskInstallation.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

using Startup = test::DiskInstallation;

TEST_F(Startup, ReadsTheInstallationInOrder) {
  start_up(g, session, no_windows);
  EXPECT_TRUE(platform.messages().empty());
  auto lines = trace_lines();
  std::vector<std::string> entries;
  for (const auto& l : lines)
    if (l.find("Entered") != std::string::npos || l.find("Creating Forms") != std::string::npos)
      entries.push_back(l);
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries[0], "1: Creating Forms and Initializing");
  EXPECT_EQ(entries[1], "2:   Entered Initialize Configuration");
  EXPECT_EQ(entries[2], "2:   Entered Initial File Read Procedure");
  EXPECT_EQ(lines.back(), "1: Running Main Application");
  EXPECT_TRUE(session.main_frame->initialized);

  // The program's own variable comes last, on the tab of numcode.
  const Tuser_data_set_listing_obj& d = *session.description;
  ASSERT_EQ(d.get_number_of_variables(0), 8);
  EXPECT_EQ(d.get_var_name(0, 7), "is_kiv");
  EXPECT_EQ(d.get_var_tab_label(0, 7), "Identifiers");
  EXPECT_EQ(d.get_var_description(0, 7), "Marks KIV vs. non-KIV (artificial) groups");
  EXPECT_EQ(d.get_var_note(0, 7), "key");
  EXPECT_EQ(g.configuration.added_variable_count, 1);

  EXPECT_EQ(session.group_index->count(), 3);
  EXPECT_EQ(session.group_index->get_name(201), "Blacks, US");
  EXPECT_TRUE(session.nation_array->is_a_state(645, 1990));
  EXPECT_EQ(session.selections->first_year, 1990);
  EXPECT_EQ(session.selections->last_year, 1992);
}

TEST_F(Startup, DefaultSelectionsMatchTheFreshWindow) {
  start_up(g, session, no_windows);
  user_selection_type expected;
  expected.first_year = 1990;
  expected.last_year = 1992;
  EXPECT_EQ((*session.selections), expected);
  const user_selection_type& s = (*session.selections);
  EXPECT_EQ(s.physical_aggregation, physical_aggregation_type::PhysGroup);
  EXPECT_EQ(s.temporal_aggregation, temporal_aggregation_type::TimeAnnual);
  EXPECT_TRUE(s.all_groups && s.all_states && s.all_regions && s.all_diasporas);
  EXPECT_FALSE(s.interpolate);
  EXPECT_TRUE(s.output_missing_cases);
  EXPECT_FALSE(s.include_nonkiv_states);
  EXPECT_TRUE(s.output_format.header_line);
  EXPECT_EQ(s.output_format.destination, output_destination_type::DestScreen);
  EXPECT_EQ(s.output_format.separator, separator_type::SepComma);
  EXPECT_TRUE(s.output_format.command_files.empty());
  EXPECT_EQ(s.output_format.output_file_name, "output.csv");
  EXPECT_TRUE(s.variable_selections.variable_columns.empty());
  EXPECT_FALSE(column_selected(s, 0));
}

TEST_F(Startup, MissingDescriptionStopsTheProgramWithItsReport) {
  std::remove(dir.file("kiv.mdf").c_str());
  try {
    start_up(g, session, no_windows);
    FAIL() << "start-up must end the program";
  } catch (const platform::ProgramEnded& e) {
    EXPECT_EQ(e.status, platform::kExitFatalStartup);
  }
  const char* report = "Could not read KIV Data Information File - critical error - stopping run.";
  EXPECT_NE(test::read_file(dir.file("errors.log")).find(report), std::string::npos);
  bool traced = false;
  for (const auto& l : trace_lines()) traced |= l.find(report) != std::string::npos;
  EXPECT_TRUE(traced);
  EXPECT_EQ(platform.messages().at(0), "KIV configuration file " + dir.path() +
                                           "/kiv.mdf does not exist.  Error.  Please locate file "
                                           "or reinstall program and try again.");
  EXPECT_FALSE(session.main_frame->initialized);
}

TEST_F(Startup, MissingNationListStopsAtTheFirstStep) {
  std::remove(dir.file("states.csv").c_str());
  EXPECT_THROW(start_up(g, session, no_windows), platform::ProgramEnded);
  // The index's own critical report is shown first; its Abort ends the program.
  EXPECT_EQ(platform.shown().at(0).what, "TErrorDialog");
  EXPECT_NE(platform.shown().at(0).text.find("states.csv"), std::string::npos);
}

TEST_F(Startup, EmptyNumcodeFieldStopsStartUp) {
  dir.write("kiv.csv",
            "numcode,group,year,ccode,region,diaspora,pop\n"
            ",Kurds,1990,645,5,12,0.2\n");
  EXPECT_THROW(start_up(g, session, no_windows), platform::ProgramEnded);
  EXPECT_NE(platform.shown().at(0).text.find("returned a missing value"), std::string::npos);
}

// Many editors and spreadsheets end a file with an empty line; start-up
// once failed on it (exit 4) with messages that pointed elsewhere.
TEST_F(Startup, AnEmptyLastLineOfTheListsOrTheDataFileIsNoRecord) {
  for (const char* name : {"states.csv", "majors.csv", "kiv.csv"}) {
    const std::string text = test::read_file(dir.file(name));
    dir.write(name, text + (std::string(name) == "majors.csv" ? "\r\n" : "\n"));
  }
  start_up(g, session, no_windows);
  EXPECT_TRUE(platform.messages().empty());
  EXPECT_TRUE(session.main_frame->initialized);
  EXPECT_EQ(session.group_index->count(), 3);
}

// A reversed range once passed start-up and ended the run in an uncaught
// allocation failure.
TEST_F(Startup, ADescriptionWithItsYearsReversedStopsStartUpNamingThem) {
  std::string mdf = test::read_file(dir.file("kiv.mdf"));
  mdf.replace(mdf.find("\"1990\""), 6, "\"1999\"");
  dir.write("kiv.mdf", mdf);
  try {
    start_up(g, session, no_windows);
    FAIL() << "start-up must end the program";
  } catch (const platform::ProgramEnded& e) {
    EXPECT_EQ(e.status, platform::kExitFatalStartup);
  }
  EXPECT_EQ(platform.messages().at(0),
            dir.file("kiv.mdf") +
                " gives first_year_possible 1999, after last_year_possible 1992.  No data can be "
                "read for a reversed range of years: correct the file and start Tandrel again.");
}

TEST_F(Startup, AnInterruptDuringTheInitialFileReadPassesThroughUnchanged) {
  // Ctrl-C once the country code index is read, while the lists are.
  platform.set_pump_hook([&] {
    if (session.ccode_index) g.user_interrupt = true;
  });
  EXPECT_THROW(start_up(g, session, no_windows), EUserInterrupt);
  EXPECT_FALSE(session.description);
  EXPECT_EQ(test::read_file(dir.file("errors.log")).find("Could not"), std::string::npos);
}

TEST_F(Startup, CloseDownFreesTheReferenceDataAndClosesTheLog) {
  start_up(g, session, no_windows);
  finish(g, session);
  EXPECT_FALSE(session.group_index);
  EXPECT_FALSE(session.nation_array);
  EXPECT_FALSE(session.ccode_index);
  EXPECT_FALSE(session.region_list);
  EXPECT_TRUE(session.description);
  EXPECT_FALSE(g.error_log.is_open());
  auto lines = trace_lines();
  EXPECT_EQ(lines[lines.size() - 3], "1: Entered close_down procedure");
}

}  // namespace
}  // namespace tandrel
