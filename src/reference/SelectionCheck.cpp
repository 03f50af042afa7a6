#include "reference/SelectionCheck.h"

#include "reference/DataSetListing.h"

namespace tandrel {

namespace {

using P = physical_aggregation_type;
using Kind = SelectionProblemKind;

bool controls_allowed(P unit) {
  return unit == P::PhysGroup || unit == P::PhysState;
}

const char* unit_word(P unit) {
  switch (unit) {
    case P::PhysGroup:
      return "group";
    case P::PhysState:
      return "state";
    case P::PhysRegion:
      return "region";
    case P::PhysGlobe:
      return "globe";
    case P::PhysDiaspora:
      return "diaspora";
  }
  return "unknown";
}

// Each unit reads only the subset list of its own kind; the others are kept
// for the window but do nothing in a run.
void check_subsets(const user_selection_type& s, std::vector<SelectionProblem>& problems) {
  struct Row {
    Kind kind;
    P unit;
    bool all;
    const char* what;
  };
  const Row rows[] = {
      {Kind::GroupSubsetOutsideUnit, P::PhysGroup, s.all_groups, "groups"},
      {Kind::StateSubsetOutsideUnit, P::PhysState, s.all_states, "states"},
      {Kind::RegionSubsetOutsideUnit, P::PhysRegion, s.all_regions, "regions"},
      {Kind::DiasporaSubsetOutsideUnit, P::PhysDiaspora, s.all_diasporas, "diasporas"},
  };
  for (const Row& row : rows)
    if (!row.all && s.physical_aggregation != row.unit)
      problems.push_back({row.kind, -1,
                          std::string("A subset of ") + row.what + " is used only with the " +
                              unit_word(row.unit) + " unit, not with the " +
                              unit_word(s.physical_aggregation) + " unit."});
}

void check_variables(const user_selection_type& s, const Tuser_data_set_listing_obj& d,
                     std::vector<SelectionProblem>& problems) {
  if (d.data_set_count() == 0) return;
  const std::int32_t count = d.get_number_of_variables(0);
  for (std::int32_t v : s.variable_selections.variable_columns) {
    if (v < 0 || v >= count) continue;
    const std::int32_t interval = d.get_var_interval(0, v);
    if (period_offers(s, interval)) continue;
    problems.push_back({Kind::VariableNotOffered, v,
                        d.get_var_name(0, v) + " is measured every " + std::to_string(interval) +
                            " years and does not fill every " +
                            std::to_string(period_length(s.temporal_aggregation)) +
                            "-year period without interpolation."});
  }
}

}  // namespace

std::int32_t period_length(temporal_aggregation_type unit) {
  switch (unit) {
    case temporal_aggregation_type::TimeAnnual:
      return 1;
    case temporal_aggregation_type::Time2yr:
      return 2;
    case temporal_aggregation_type::Time5yr:
      return 5;
    case temporal_aggregation_type::Time10yr:
      return 10;
  }
  return 1;
}

bool measured_every_period(std::int32_t interval, std::int32_t period) {
  return interval == 0 || interval == period || period % interval == 0;
}

bool period_offers(const user_selection_type& selections, std::int32_t interval) {
  return selections.interpolate ||
         measured_every_period(interval, period_length(selections.temporal_aggregation));
}

bool has_extension(const std::string& file_name) {
  const auto slash = file_name.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? file_name : file_name.substr(slash + 1);
  const auto dot = name.rfind('.');
  return dot != std::string::npos && dot + 1 < name.size();
}

std::vector<SelectionProblem> check_selections(const user_selection_type& s,
                                               const Tuser_data_set_listing_obj& description) {
  std::vector<SelectionProblem> problems;
  if (s.include_nonkiv_states && !controls_allowed(s.physical_aggregation))
    problems.push_back({Kind::ControlsOutsideUnit, -1,
                        std::string("Control cases exist only for the group and state units, "
                                    "not for the ") +
                            unit_word(s.physical_aggregation) + " unit."});
  const output_format_type& f = s.output_format;
  const bool to_file = f.destination == output_destination_type::DestFile;
  if (!f.command_files.empty() && !to_file)
    problems.push_back(
        {Kind::CommandFilesWithoutFile, -1, "Command files are written only next to a data file."});
  if (to_file && !has_extension(f.output_file_name))
    problems.push_back({Kind::FileNameWithoutExtension, -1,
                        "The data file " + f.output_file_name +
                            " has no extension (like .csv, .out, .dat or .raw), which "
                            "statistical software needs to read it."});
  check_subsets(s, problems);
  check_variables(s, description, problems);
  return problems;
}

}  // namespace tandrel
