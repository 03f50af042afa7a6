#include "output/RunDescription.h"

#include "output/CommandFileFormats.h"

namespace tandrel {

namespace {

constexpr std::size_t kNameField = 18;

using P = physical_aggregation_type;

void append_padded(std::string& line, const std::string& field) {
  line += field;
  if (field.size() < kNameField) line.append(kNameField - field.size(), ' ');
}

std::string merged_row(const display_output_row& row) {
  std::string line = "*  ";
  append_padded(line, row.name);
  append_padded(line, row.min_name);
  append_padded(line, row.max_name);
  return line + row.mean_name;
}

const char* unit_text(P unit) {
  switch (unit) {
    case P::PhysGroup:
      return "Group.";
    case P::PhysState:
      return "State.";
    case P::PhysRegion:
      return "Region.";
    case P::PhysGlobe:
      return "Globe.";
    case P::PhysDiaspora:
      return "Diaspora.";
  }
  return "";
}

const char* period_text(temporal_aggregation_type period) {
  switch (period) {
    case temporal_aggregation_type::TimeAnnual:
      return "Annual.";
    case temporal_aggregation_type::Time2yr:
      return "2 year periods.";
    case temporal_aggregation_type::Time5yr:
      return "5 year periods";
    case temporal_aggregation_type::Time10yr:
      return "Decade.";
  }
  return "";
}

// Whether the data set holds every actor of its unit. Each unit has its own
// flag: the others keep their defaults when a subset is chosen (and
// all_diasporas is never cleared), so asking any of them would describe
// every subset as complete.
bool all_of_unit(const user_selection_type& s) {
  switch (s.physical_aggregation) {
    case P::PhysGroup:
      return s.all_groups;
    case P::PhysState:
      return s.all_states;
    case P::PhysRegion:
      return s.all_regions;
    case P::PhysDiaspora:
      return s.all_diasporas;
    case P::PhysGlobe:
      return s.all_groups || s.all_states || s.all_regions || s.all_diasporas;
  }
  return false;
}

std::string actors_text(const user_selection_type& s) {
  const bool all = all_of_unit(s);
  switch (s.physical_aggregation) {
    case P::PhysGroup:
      return std::string(all ? "All " : "Subset of ") + "Groups.";
    case P::PhysState:
      return std::string(all ? "All " : "Subset of ") + "States.";
    case P::PhysRegion:
      return std::string(all ? "All " : "Subset of ") + "Regions.";
    case P::PhysDiaspora:
      return std::string(all ? "All " : "Subset of ") + "Diasporas.";
    case P::PhysGlobe:
      return std::string(all ? "All " : "") + "All actors (aggregation to globe).";
  }
  return "";
}

std::string separator_description(separator_type separator) {
  switch (separator) {
    case separator_type::SepSpace:
      return "\" \" (space) as separator character.";
    case separator_type::SepComma:
      return "\",\" (comma) as separator character.";
    case separator_type::SepTab:
      return " tab character as separator character.";
  }
  return "";
}

std::string true_false(bool value) {
  return value ? "True." : "False.";
}

void write_filling(CommandFileLines& out, const user_selection_type& s) {
  out.push_back(std::string("*    Interpolation: ") + (s.interpolate ? "On." : "Off."));
  std::string method = "N/A.";
  if (s.interpolate)
    method = s.interpolation_method == interpolation_method_type::InterpLinear ? "Linear."
                                                                               : "Carry Forward.";
  out.push_back("*    Interpolation Method: " + method);
  out.push_back("*    Include Missing Data Years: " + true_false(s.output_missing_cases));
  out.push_back("*    Include non-KIV cases: " + true_false(s.include_nonkiv_states));
  if (s.include_nonkiv_states)
    out.push_back(s.all_nonkiv_states ? "*    All non-KIV cases included."
                                      : "*    Subset of non-KIV cases included.");
}

}  // namespace

void write_variable_table(CommandFileLines& out, const display_output_array_type& rows,
                          bool merged) {
  out.push_back("");
  out.push_back("* The following table lists the variables in your newly created data set.");
  out.push_back("");
  out.push_back("* *** Variables Output ***");
  if (merged) {
    out.push_back("*  Original Name:    Minimum Name:     Maximum Name:     Mean Name:");
    for (const display_output_row& row : rows) out.push_back(merged_row(row));
  } else {
    out.push_back("*  Name: ");
    for (const display_output_row& row : rows) out.push_back("*  " + row.name);
  }
  out.push_back("* .");
  out.push_back("");
}

void write_user_selections(CommandFileLines& out, const user_selection_type& s) {
  out.push_back("* User selections for the Tandrel run creating this data set were as follows.");
  out.push_back("*    Tandrel version " + program_version_text() + ".");
  out.push_back(std::string("*    Physical Aggregation: ") + unit_text(s.physical_aggregation));
  out.push_back(std::string("*    Temporal Aggregation: ") + period_text(s.temporal_aggregation));
  out.push_back("*    Selection of Actors: " + actors_text(s));
  write_filling(out, s);
  out.push_back("*    Year Range: " + std::to_string(s.first_year) + " to " +
                std::to_string(s.last_year) + ".");
  out.push_back(std::string("*    Output data file written ") +
                (s.output_format.header_line ? "with header line." : "without header line."));
  out.push_back("*    Data file written with " + separator_description(s.output_format.separator));
  out.push_back("");
}

}  // namespace tandrel
