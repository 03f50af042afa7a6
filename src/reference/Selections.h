#pragma once

// user_selection_type: every choice the user makes for a creation run.

#include <cstdint>
#include <string>
#include <vector>

#include "process/Bounded.h"
#include "reference/Regions.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

// The stored numbers of these enumerations are part of the settings file.
enum class physical_aggregation_type : std::uint8_t {
  PhysGroup = 0,
  PhysState = 1,
  PhysRegion = 2,
  PhysGlobe = 3,
  PhysDiaspora = 4,
};
enum class temporal_aggregation_type : std::uint8_t {
  TimeAnnual = 0,
  Time2yr = 1,
  Time5yr = 2,
  Time10yr = 3,
};
enum class interpolation_method_type : std::uint8_t { InterpLinear = 0, InterpCarryForward = 1 };
enum class output_destination_type : std::uint8_t { DestFile = 0, DestScreen = 1, DestPrinter = 2 };
enum class separator_type : std::uint8_t { SepSpace = 0, SepComma = 1, SepTab = 2 };
// The command files written next to a data file.
enum class command_file_type : std::uint8_t { CmdSPSS = 0, CmdStata = 1, CmdLIMDEP = 2 };
// The data files written next to the delimited one, in the formats Stata
// and SPSS open in one step.
enum class native_file_type : std::uint8_t { NativeDta = 0, NativeSav = 1 };

// A set of one of the kinds above, one bit a kind, numbered as the kind.
template <class Kind>
class kind_set {
 public:
  kind_set() = default;
  explicit kind_set(std::uint8_t bits) : bits_(bits) {}
  bool contains(Kind t) const { return (bits_ >> static_cast<int>(t)) & 1U; }
  void include(Kind t) { bits_ |= static_cast<std::uint8_t>(1U << static_cast<int>(t)); }
  void exclude(Kind t) { bits_ &= static_cast<std::uint8_t>(~(1U << static_cast<int>(t))); }
  bool empty() const { return bits_ == 0; }
  std::uint8_t bits() const { return bits_; }
  bool operator==(const kind_set&) const = default;

 private:
  std::uint8_t bits_ = 0;
};

// Bit 0 SPSS, bit 1 Stata, bit 2 LIMDEP.
using command_file_set = kind_set<command_file_type>;
// Bit 0 Stata data file (.dta), bit 1 SPSS data file (.sav).
using native_file_set = kind_set<native_file_type>;

using Selected_group_list_type = std::vector<group_range>;
using Selected_state_list_type = std::vector<ccode_range>;
using Selected_kiv_region_list_type = std::vector<kiv_region_type>;
using Selected_diaspora_list_type = std::vector<diaspora_type>;

struct output_format_type {
  bool header_line = true;
  output_destination_type destination = output_destination_type::DestScreen;
  bool file_name_chosen = false;
  std::string output_file_name = "output.csv";
  separator_type separator = separator_type::SepComma;
  command_file_set command_files;
  native_file_set native_files;
  // For every merged case and numeric variable, how many values stand
  // behind it and what share of them the filling supplied.
  bool provenance_columns = false;
  // NAME.codebook.html beside a data file: the columns, their coverage by
  // period and a methods paragraph.
  bool codebook = false;

  bool operator==(const output_format_type&) const = default;
};

struct one_user_data_set_selections {
  // Description variable numbers to output, in the order of the variable boxes.
  std::vector<std::int32_t> variable_columns;

  bool operator==(const one_user_data_set_selections&) const = default;
};

struct user_selection_type {
  physical_aggregation_type physical_aggregation = physical_aggregation_type::PhysGroup;
  temporal_aggregation_type temporal_aggregation = temporal_aggregation_type::TimeAnnual;
  bool all_groups = true;
  bool all_states = true;
  bool all_regions = true;
  bool all_diasporas = true;
  Selected_group_list_type selected_groups;
  Selected_state_list_type selected_states;
  Selected_state_list_type selected_nonkiv_states;
  Selected_kiv_region_list_type selected_regions;
  Selected_diaspora_list_type selected_diasporas;
  bool interpolate = false;
  interpolation_method_type interpolation_method = interpolation_method_type::InterpLinear;
  bool output_missing_cases = true;
  bool include_nonkiv_states = false;
  bool all_nonkiv_states = true;
  std::int16_t first_year = 1800;
  std::int16_t last_year = 1800;
  output_format_type output_format;
  one_user_data_set_selections variable_selections;

  bool operator==(const user_selection_type&) const = default;
};

// Writes every field to its default; the years come from data set 0.
void set_default_selections(user_selection_type& selections,
                            const Tuser_data_set_listing_obj& description);

// True when `variable` occurs in variable_columns.
bool column_selected(const user_selection_type& selections, std::int32_t variable);

}  // namespace tandrel
