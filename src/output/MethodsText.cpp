#include "output/MethodsText.h"

#include "output/CommandFileFormats.h"

namespace tandrel {

namespace {

using P = physical_aggregation_type;

const char* unit_word(P unit, bool plural) {
  switch (unit) {
    case P::PhysGroup:
      return plural ? "groups" : "group";
    case P::PhysState:
      return plural ? "states" : "state";
    case P::PhysRegion:
      return plural ? "regions" : "region";
    case P::PhysGlobe:
      return plural ? "globes" : "globe";
    case P::PhysDiaspora:
      return plural ? "diasporas" : "diaspora";
  }
  return plural ? "units" : "unit";
}

const char* period_words(temporal_aggregation_type period) {
  switch (period) {
    case temporal_aggregation_type::TimeAnnual:
      return "-year";
    case temporal_aggregation_type::Time2yr:
      return " in two-year periods";
    case temporal_aggregation_type::Time5yr:
      return " in five-year periods";
    case temporal_aggregation_type::Time10yr:
      return " in ten-year periods";
  }
  return "";
}

std::string counted(std::size_t n, const std::string& one, const std::string& many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string source_sentence(const MethodsFacts& f) {
  std::string text = "This data set was generated with Tandrel " + program_version_text() +
                     " from the Kivora data (data file " + f.data_file;
  if (!f.data_set_version.empty()) text += ", version " + f.data_set_version;
  return text + ").";
}

std::string unit_sentence(const user_selection_type& s) {
  const std::string unit = unit_word(s.physical_aggregation, false);
  return " Its unit of analysis is the " + unit + period_words(s.temporal_aggregation) +
         ", for the years " + std::to_string(s.first_year) + " to " + std::to_string(s.last_year) +
         ".";
}

// Which units the subset lists keep; the globe has none to choose.
std::string subset_sentence(const user_selection_type& s) {
  bool all = true;
  std::size_t chosen = 0;
  switch (s.physical_aggregation) {
    case P::PhysGroup:
      all = s.all_groups;
      chosen = s.selected_groups.size();
      break;
    case P::PhysState:
      all = s.all_states;
      chosen = s.selected_states.size();
      break;
    case P::PhysRegion:
      all = s.all_regions;
      chosen = s.selected_regions.size();
      break;
    case P::PhysDiaspora:
      all = s.all_diasporas;
      chosen = s.selected_diasporas.size();
      break;
    case P::PhysGlobe:
      return " It merges all groups of all states.";
  }
  const std::string many = unit_word(s.physical_aggregation, true);
  if (all) return " It covers all " + many + " of the data.";
  return " It covers a subset of " +
         counted(chosen, unit_word(s.physical_aggregation, false), many) + ".";
}

std::string filling_sentence(const user_selection_type& s) {
  if (s.interpolate)
    return s.interpolation_method == interpolation_method_type::InterpCarryForward
               ? " Years between two observations of a variable were filled by carrying the "
                 "earlier observation forward."
               : " Years between two observations of a variable were filled by linear "
                 "interpolation.";
  if (s.output_missing_cases)
    return " Gaps were not filled; years without data inside a group's series are included with "
           "missing values.";
  return " Gaps were not filled, and years without data were left out.";
}

std::string control_sentence(const user_selection_type& s) {
  if (s.physical_aggregation != P::PhysGroup && s.physical_aggregation != P::PhysState) return "";
  if (!s.include_nonkiv_states) return " No control cases were added.";
  if (s.all_nonkiv_states) return " Control cases were added for all states without KIV groups.";
  return " Control cases were added for " +
         counted(s.selected_nonkiv_states.size(), "state", "states") + " without KIV groups.";
}

std::string size_sentence(const MethodsFacts& f) {
  const std::string variables = counted(f.variables, "variable", "variables");
  if (!f.cases)
    return " It holds " + variables + "; the number of cases is known once it is written.";
  return " It holds " + counted(static_cast<std::size_t>(*f.cases), "case", "cases") + " and " +
         variables + ".";
}

std::string provenance_sentence(const user_selection_type& s) {
  if (!s.output_format.provenance_columns) return "";
  return " For every numeric variable, the columns ending in _n give the number of values merged "
         "into a case and those ending in _filled the share of them that the filling supplied.";
}

}  // namespace

std::string methods_paragraph(const MethodsFacts& f) {
  const user_selection_type& s = f.selections;
  return source_sentence(f) + unit_sentence(s) + subset_sentence(s) + filling_sentence(s) +
         control_sentence(s) + size_sentence(f) + provenance_sentence(s) +
         " Please cite: " + (f.citation.empty() ? std::string(kCitationPlaceholder) : f.citation);
}

}  // namespace tandrel
