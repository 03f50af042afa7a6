#pragma once

// configuration_type: the process-wide record filled from Tandrel.ini.

#include <array>
#include <cstdint>
#include <string>

#include "process/Bounded.h"

namespace tandrel {

// How crowded variable pages are split.
enum class tab_style_type : std::uint8_t { FullyTabbed = 0, SubTabs = 1, ArrowScroll = 2 };

inline constexpr int kTraceSwitches = 11;  // levels 0..10

struct configuration_type {
  std::string program_directory = "BLANKDir";
  std::string configuration_file_name = "BLANKFile";
  std::string error_file_name = "BLANKFile";
  std::string kiv_interface_file_name = "BLANKFile";
  std::string kiv_linked_doc_file_name = "BLANKFile";
  std::string tandrel_doc_file_name = "BLANKFile";
  std::string tandrel_quickstart_file_name = "BLANKFile";
  std::string saved_settings_file_name = "BLANKFile";
  // The installation's settings file when saved_settings_file_name names the
  // user's own copy instead; empty when they are the same file.
  std::string installation_settings_file_name;
  std::string nation_list_file_name = "BLANKFile";
  std::string major_list_file_name = "BLANKFile";
  // The product's web address for the about box; optional, empty when the
  // installation names none (the about box then leaves its line out).
  std::string web_address;
  year_type first_nation_year = 1800;
  year_type last_nation_year = 2025;
  // A trace line shows only when the switch of its level (capped at 10) is on.
  std::array<bool, kTraceSwitches> trace_levels{true, true, true, true, true, true,
                                                true, true, true, true, false};
  tab_style_type tab_style = tab_style_type::SubTabs;
  // Optional: how the methods paragraph asks readers to cite the data set,
  // and the version of the data set it names; empty when not given.
  std::string citation;
  std::string data_set_version;
  // Variables the program added to the description; they have no data column.
  std::int32_t added_variable_count = 0;
};

}  // namespace tandrel
