#include <gtest/gtest.h>

#include <sstream>

#include "batch/BatchOptions.h"
#include "batch/BatchSelections.h"
#include "reference/DataSetListing.h"
#include "support/DiskInstallation.h"

namespace tandrel {
namespace {

class BatchSelections : public test::DiskInstallation {
 protected:
  // Starts up and applies the command line; returns the notes for the user.
  std::string apply(const std::vector<std::string>& args) {
    start_up(g, session, no_windows);
    std::ostringstream notes;
    apply_batch_options(parse_batch_options(args), g, session, *session.selections, notes);
    return notes.str();
  }
  std::vector<std::string> selected_names() const {
    std::vector<std::string> names;
    for (std::int32_t v : session.selections->variable_selections.variable_columns)
      names.push_back(session.description->get_var_name(0, v));
    return names;
  }
};

TEST_F(BatchSelections, AbsentSubsetsHoldEveryItem) {
  apply({});
  const user_selection_type& s = (*session.selections);
  EXPECT_TRUE(s.all_groups && s.all_states && s.all_regions);
  EXPECT_EQ(s.selected_groups, (Selected_group_list_type{201, 64501, 64502}));
  EXPECT_EQ(s.selected_states, (Selected_state_list_type{2, 645}));
  EXPECT_EQ(s.selected_regions, (Selected_kiv_region_list_type{kiv_region_type::KivRegWestern0,
                                                               kiv_region_type::KivRegNAfrica5}));
  EXPECT_EQ(s.selected_diasporas, (Selected_diaspora_list_type{-99, 12}));
  EXPECT_FALSE(s.include_nonkiv_states);
  EXPECT_EQ(s.output_format.destination, output_destination_type::DestScreen);
  // Without --vars only the identifiers are output, and never "diaspora".
  EXPECT_EQ(selected_names(),
            (std::vector<std::string>{"numcode", "group", "year", "ccode", "region"}));
}

TEST_F(BatchSelections, SubsetsAndControlsFromTheCommandLine) {
  apply({"--unit", "state", "--states", "645", "--controls", "395", "--out", "x.csv", "--stata",
         "--vars", "POP"});
  const user_selection_type& s = (*session.selections);
  EXPECT_EQ(s.physical_aggregation, physical_aggregation_type::PhysState);
  EXPECT_FALSE(s.all_states);
  EXPECT_EQ(s.selected_states, (Selected_state_list_type{645}));
  EXPECT_TRUE(s.include_nonkiv_states);
  EXPECT_FALSE(s.all_nonkiv_states);
  EXPECT_EQ(s.selected_nonkiv_states, (Selected_state_list_type{395}));
  EXPECT_EQ(s.output_format.destination, output_destination_type::DestFile);
  EXPECT_EQ(s.output_format.output_file_name, "x.csv");
  EXPECT_TRUE(s.output_format.command_files.contains(command_file_type::CmdStata));
  EXPECT_EQ(selected_names().back(), "pop");
}

TEST_F(BatchSelections, NamingEveryItemCountsAsAll) {
  apply({"--groups", "64502,201,64501"});
  EXPECT_TRUE(session.selections->all_groups);
  EXPECT_EQ(session.selections->selected_groups, (Selected_group_list_type{64502, 201, 64501}));
}

TEST_F(BatchSelections, UnknownCodesNamesAndYearsAreRefused) {
  struct Row {
    std::vector<std::string> args;
    const char* message;
  };
  const Row rows[] = {
      {{"--groups", "202"}, "--groups: 202 names no group of this installation (see --list)"},
      {{"--states", "395"},
       "--states: 395 names no state with KIV groups of this installation (see --list)"},
      {{"--controls", "645"},
       "--controls: 645 names no state without KIV groups of this installation (see --list)"},
      {{"--regions", "4"}, "--regions: 4 is not a region code"},
      {{"--regions", "7"}, "--regions: 7 names no region of this installation (see --list)"},
      {{"--vars", "pop,size"}, "--vars: no variable named \"size\" (see --list variables)"},
      {{"--years", "1989:1991"},
       "--years: 1989:1991 must lie within the data's years 1990:1992, first year not after "
       "last"},
      {{"--years", "1992:1990"},
       "--years: 1992:1990 must lie within the data's years 1990:1992, first year not after "
       "last"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    ProcessGlobals fresh;
    fresh.platform = &platform;
    install_globals(&fresh);
    Session own;
    start_up(fresh, own, no_windows);
    std::ostringstream notes;
    try {
      apply_batch_options(parse_batch_options(row.args), fresh, own, *own.selections, notes);
      ADD_FAILURE();
    } catch (const UsageError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
    own.release_reference();
    install_globals(&g);
  }
}

TEST_F(BatchSelections, RegionsByTheirCodeInTheData) {
  apply({"--unit", "region", "--regions", "5"});
  EXPECT_FALSE(session.selections->all_regions);
  EXPECT_EQ(session.selections->selected_regions,
            (Selected_kiv_region_list_type{kiv_region_type::KivRegNAfrica5}));
}

TEST_F(BatchSelections, SettingsAreLoadedBeforeTheCommandLineAndSaved) {
  apply({"--unit", "region", "--regions", "5", "--vars", "pop", "--save-settings",
         dir.file("saved.dat")});
  const user_selection_type saved = (*session.selections);
  finish(g, session);

  ProcessGlobals again;
  again.platform = &platform;
  install_globals(&again);
  Session next;
  start_up(again, next, no_windows);
  std::ostringstream notes;
  apply_batch_options(parse_batch_options({"--settings", dir.file("saved.dat")}), again, next,
                      *next.selections, notes);
  EXPECT_EQ(next.selections->physical_aggregation, physical_aggregation_type::PhysRegion);
  EXPECT_EQ(next.selections->selected_regions, saved.selected_regions);
  EXPECT_EQ(next.selections->variable_selections, saved.variable_selections);
  EXPECT_THROW(apply_batch_options(parse_batch_options({"--settings", dir.file("none.dat")}), again,
                                   next, *next.selections, notes),
               UsageError);
  finish(again, next);
  install_globals(&g);
}

}  // namespace
}  // namespace tandrel
