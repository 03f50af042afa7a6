#include "app/Startup.h"

#include <functional>
#include <memory>

#include "app/Configuration.h"
#include "diagnostics/DiagnosticWindows.h"
#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "process/Exceptions.h"
#include "reference/CcodeIndex.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/Selections.h"

namespace tandrel {

namespace {

// Runs one step of the initial file read; any error it raises is reported
// as critical and ends the program. An interrupt is no error of the files:
// it passes on unchanged.
void read_step(const std::function<void()>& step, const char* failure) {
  os().process_messages();
  try {
    step();
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const std::exception&) {
    error(failure, 0, critical);
    end_program(platform::kExitFatalStartup);
  }
}

// The program's own variable: marks real groups against the artificial
// control groups. It has no column in the data file.
void add_is_kiv(ProcessGlobals& g, Tuser_data_set_listing_obj& d) {
  const std::int32_t numcode = d.get_var_number(0, "numcode");
  d.add_variable(0, "is_kiv", -99, d.get_var_note(0, numcode),
                 "Marks KIV vs. non-KIV (artificial) groups", d.get_var_tab_label(0, numcode),
                 d.get_var_tab_number(0, numcode), 0, kVarTypeInteger);
  g.configuration.added_variable_count = 1;
}

constexpr const char* kDescriptionFailure =
    "Could not read KIV Data Information File - critical error - stopping run.";

}  // namespace

void initial_file_read(ProcessGlobals& g, Session& s) {
  trace().Enter("Entered Initial File Read Procedure");
  read_step(
      [&] {
        s.ccode_index = std::make_unique<Tccode_index_obj>(g.configuration.nation_list_file_name);
      },
      "Could not create CCOde Index Data Structure - critical error - stopping run.");
  read_step(
      [&] {
        s.nation_array = std::make_unique<Tnation_array_obj>(g.configuration, s.ccode_index.get());
      },
      "Could not create Nation List Data Structure - critical error - stopping run.");
  read_step(
      [&] {
        s.description = std::make_unique<Tuser_data_set_listing_obj>(
            g.configuration.kiv_interface_file_name, g.configuration.program_directory);
        add_is_kiv(g, *s.description);
      },
      kDescriptionFailure);
  read_step([&] { s.region_list = std::make_unique<Tregion_list_info_obj>(); },
            "Could not initialize KIV region list information - stopping run.");
  read_step(
      [&] { s.group_index = std::make_unique<Tgroup_index_obj>(*s.description, *s.region_list); },
      kDescriptionFailure);
  os().process_messages();
  trace().Exit("Finished Initial File Read Procedure");
}

void start_up(ProcessGlobals& g, Session& s, StartupWindows& windows) {
  s.selections = std::make_unique<user_selection_type>();
  windows.create_main_window();
  s.main_frame->initialized = false;
  windows.show_splash_screen();
  os().process_messages();
  create_diagnostic_windows(g);
  // Progress windows sit in this session's main window from now on.
  trace().set_main_frame(s.main_frame);
  initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
  windows.show_interface_file("(using interface file \"" + g.configuration.kiv_interface_file_name +
                              "\")");
  initial_file_read(g, s);
  set_default_selections(*s.selections, *s.description);
  os().process_messages();
  windows.create_subset_dialogs();
  os().process_messages();
  windows.build_variable_pages();
  create_remaining_windows(g);
  windows.create_remaining_windows();
  windows.close_splash_screen();
  s.main_frame->initialized = true;
  trace().Exit("Finished Initialization");
  trace().Enter("Running Main Application");
}

void close_down(ProcessGlobals& g, Session& s) {
  trace().Enter("Entered close_down procedure");
  s.release_reference();
  trace().Exit("Finishing close down procedure");
  g.error_log.close();
}

void finish(ProcessGlobals& g, Session& s) {
  trace().Exit("Main Application Complete");
  close_down(g, s);
}

}  // namespace tandrel
