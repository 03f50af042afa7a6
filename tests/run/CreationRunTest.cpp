#include <gtest/gtest.h>

#include <filesystem>

#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/Selections.h"
#include "reference/VariableRules.h"
#include "run/CreationRun.h"
#include "support/TempDir.h"

namespace tandrel {
namespace {

namespace fs = std::filesystem;

// A run of the sample installation: state units in five-year periods with
// linear interpolation and every control state, so that the run reads the
// region list, the nation list and the group index (which gains control
// groups) at every step.
class CreationRun : public ::testing::Test {
 protected:
  CreationRun() {
    fs::copy(std::string(TANDREL_SOURCE_DIR) + "/data/sample", install.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    platform.set_echo(false);
    platform.set_program_directory(install.path());
    platform.fix_clock({2005, 7, 3, 9, 5, 0, 0});
  }

  static void choose(user_selection_type& s, const Tuser_data_set_listing_obj& description,
                     const std::string& out) {
    s.physical_aggregation = physical_aggregation_type::PhysState;
    s.temporal_aggregation = temporal_aggregation_type::Time5yr;
    s.interpolate = true;
    s.include_nonkiv_states = true;
    s.all_nonkiv_states = true;
    s.output_format.destination = output_destination_type::DestFile;
    s.output_format.output_file_name = out;
    s.output_format.command_files.include(command_file_type::CmdStata);
    s.output_format.command_files.include(command_file_type::CmdSPSS);
    std::vector<VariableBox> boxes = build_variable_boxes(description);
    offer_variables(boxes, description, s);
    for (VariableBox& box : boxes) box.checked = true;
    apply_go_variable_rules(boxes, description, s);
    read_variable_selections(boxes, s);
  }

  test::TempDir install;
  test::TempDir out;
  platform::HeadlessPlatform platform;
  StartupWindows no_windows;
};

TEST_F(CreationRun, ReferenceDataPassedDownGivesTheBytesOfTheSessionRun) {
  ProcessGlobals installed;
  installed.platform = &platform;
  install_globals(&installed);
  Session whole;
  start_up(installed, whole, no_windows);
  choose(*whole.selections, *whole.description, out.file("installed.csv"));
  run_output_procedure(installed.configuration, *whole.selections, *whole.description,
                       {*whole.region_list, *whole.nation_array, *whole.group_index});
  whole.release_reference();
  install_globals(nullptr);

  // The same run with the run's reference objects taken out of the session:
  // the run may reach them only through what it is handed.
  ProcessGlobals bare;
  bare.platform = &platform;
  install_globals(&bare);
  Session emptied;
  start_up(bare, emptied, no_windows);
  Owned<Tregion_list_info_obj> regions = std::move(emptied.region_list);
  Owned<Tnation_array_obj> nations = std::move(emptied.nation_array);
  Owned<Tgroup_index_obj> groups = std::move(emptied.group_index);
  choose(*emptied.selections, *emptied.description, out.file("bare.csv"));
  const RunResult result = run_output_procedure(
      bare.configuration, *emptied.selections, *emptied.description, {*regions, *nations, *groups});
  groups.reset();
  nations.reset();
  regions.reset();
  emptied.release_reference();
  install_globals(nullptr);

  EXPECT_TRUE(result.output_written);
  EXPECT_GT(result.cases_written, 100);
  const std::string bare_bytes = test::read_file(out.file("bare.csv"));
  const std::string installed_bytes = test::read_file(out.file("installed.csv"));
  EXPECT_TRUE(bare_bytes == installed_bytes)
      << bare_bytes.size() << " bytes against " << installed_bytes.size();
}

}  // namespace
}  // namespace tandrel
