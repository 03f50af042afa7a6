#pragma once

// A small KIV installation for tests of the engine and of what builds on it.
// Given a list of variables, lines of data and states with their years, it
//  - writes the data file and a COW-layout nation list (with an empty major
//    powers list) to the test's temporary folder,
//  - reads the nation list into the session's country code index and
//    nation list (session.ccode_index, session.nation_array),
//  - installs a description of data set 0 built in memory
//    (session.description), with the program's own variable "is_kiv" added
//    as start-up adds it,
//  - installs a group index (session.group_index) holding the given groups,
//    or by default every group of the data lines in order of first
//    appearance,
//  - sets (*session.selections) to the defaults for the data set, with every
//    variable of the data file selected except "diaspora" (as Go does).
//
// Call the fixture's open_error_log() first if the test looks at reports.
//
//   test::MiniInstallation inst(g, session, dir, {.lines = {"201,A,1995,2,0,-99"}});
//   TKIV_array_obj data(inst.description(), g.configuration, 0, 1990, 2000,
//                       inst.selections(), inst.groups());

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/ReferenceData.h"
#include "reference/Session.h"
#include "support/TempDir.h"

namespace tandrel::test {

struct MiniVariable {
  std::string name;
  std::int16_t type = kVarTypeInteger;
  std::int32_t missing = -99;
};

// A state of the nation list, a state from first_year to last_year.
struct MiniState {
  int ccode;
  std::string abbreviation;
  std::string name;
  int first_year = 1816;
  int last_year = 2016;
};

struct MiniGroup {
  std::int32_t numcode;
  std::string name;
  std::int32_t ccode;
  std::int32_t region_code = 0;
  std::int32_t diaspora = -99;
};

// numcode, group (text), year, ccode, region, diaspora; missing codes -99.
std::vector<MiniVariable> identifier_variables();
// Two states from 1816 to 2016: 2 "United States" and 20 "Canada".
std::vector<MiniState> two_states();

struct MiniInstallationPlan {
  std::vector<MiniVariable> variables = identifier_variables();
  // Data lines without their line ends; written with LF line ends.
  std::vector<std::string> lines;
  std::int16_t first_year = 1990;
  std::int16_t last_year = 2000;
  bool label_line = false;
  // The description's number of cases; by default the number of lines.
  std::optional<std::int32_t> number_of_cases;
  std::vector<MiniState> states = two_states();
  // By default the groups of the data lines, read from their comma-separated
  // numcode, group, ccode, region and diaspora fields.
  std::optional<std::vector<MiniGroup>> groups;
  bool add_is_kiv = true;
};

class MiniInstallation {
 public:
  MiniInstallation(ProcessGlobals& g, Session& session, const TempDir& dir,
                   MiniInstallationPlan plan);

  Tuser_data_set_listing_obj& description() const { return *s_.description; }
  Tgroup_index_obj& groups() const { return *s_.group_index; }
  // The reference data a run of this installation works with.
  ReferenceData reference() const { return {*s_.region_list, *s_.nation_array, *s_.group_index}; }
  user_selection_type& selections() const { return *s_.selections; }
  const std::string& data_file() const { return data_file_; }

  // The description number of a variable.
  std::int32_t var(const std::string& name) const;
  // Selects exactly these variables, in this order.
  void select(const std::vector<std::string>& names) const;

 private:
  void write_nation_list(const TempDir& dir, const std::vector<MiniState>& states);
  void install_description(const MiniInstallationPlan& plan);
  void install_groups(const MiniInstallationPlan& plan);
  std::vector<MiniGroup> groups_of_lines(const MiniInstallationPlan& plan) const;

  ProcessGlobals& g_;
  Session& s_;
  std::string data_file_;
};

}  // namespace tandrel::test
