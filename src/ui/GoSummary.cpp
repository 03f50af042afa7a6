#include "ui/GoSummary.h"

#include <filesystem>

#include "process/Globals.h"
#include "reference/SubsetSources.h"
#include "ui/GenerateForm.h"

namespace tandrel {

namespace {

using P = physical_aggregation_type;
using T = temporal_aggregation_type;

std::string unit_text(P unit) {
  switch (unit) {
    case P::PhysGroup:
      return "Group";
    case P::PhysState:
      return "State";
    case P::PhysRegion:
      return "Region";
    case P::PhysDiaspora:
      return "Diaspora";
    case P::PhysGlobe:
      return "Globe";
  }
  return "?";
}

std::string time_text(T time) {
  switch (time) {
    case T::TimeAnnual:
      return "annual";
    case T::Time2yr:
      return "2-year";
    case T::Time5yr:
      return "5-year";
    case T::Time10yr:
      return "10-year";
  }
  return "?";
}

std::string count_of(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "all 120 states" or "6 of 120 states"; empty for the globe.
std::string subset_text(const user_selection_type& s, const SubsetTotals& totals) {
  auto part = [](bool all, std::size_t chosen, std::size_t total, const char* one,
                 const char* many) {
    if (all) return "all " + count_of(total, one, many);
    return std::to_string(chosen) + " of " + count_of(total, one, many);
  };
  switch (s.physical_aggregation) {
    case P::PhysGroup:
      return part(s.all_groups, s.selected_groups.size(), totals.groups, "group", "groups");
    case P::PhysState:
      return part(s.all_states, s.selected_states.size(), totals.states, "state", "states");
    case P::PhysRegion:
      return part(s.all_regions, s.selected_regions.size(), totals.regions, "region", "regions");
    case P::PhysDiaspora:
      return part(s.all_diasporas, s.selected_diasporas.size(), totals.diasporas, "diaspora",
                  "diasporas");
    case P::PhysGlobe:
      break;
  }
  return {};
}

std::string destination_text(const output_format_type& format) {
  switch (format.destination) {
    case output_destination_type::DestScreen:
      return "to the screen";
    case output_destination_type::DestPrinter:
      return "to the printer";
    case output_destination_type::DestFile:
      break;
  }
  return "to " + std::filesystem::path(format.output_file_name).filename().string();
}

}  // namespace

SubsetTotals subset_totals(const Session& g) {
  if (!g.group_index || !g.nation_array || !g.region_list) return {};
  return {group_items(*g.group_index, *g.nation_array).size(),
          kiv_state_items(*g.group_index, *g.nation_array).size(),
          region_items(*g.group_index, *g.region_list).size(),
          diaspora_items(*g.group_index).size()};
}

std::string go_summary(const user_selection_type& s, std::size_t variables,
                       const SubsetTotals& totals) {
  std::string line = unit_text(s.physical_aggregation) + " \u00d7 " +
                     time_text(s.temporal_aggregation) + ", " + std::to_string(s.first_year) +
                     "\u2013" + std::to_string(s.last_year);
  if (const std::string subset = subset_text(s, totals); !subset.empty()) line += ", " + subset;
  line += ", " + count_of(variables, "variable", "variables");
  return line + ", " + destination_text(s.output_format);
}

std::string go_summary(const TGenerateForm& form, const SubsetTotals& totals) {
  const Session& g = form.session();
  if (!g.selections) return {};
  std::size_t variables = 0;
  for (const VariableBox& box : form.VarCheckBoxes)
    if (box.checked && box.enabled) ++variables;
  return go_summary(*g.selections, variables, totals);
}

}  // namespace tandrel
