#include "batch/BatchChecks.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "reference/DataSetListing.h"
#include "reference/SelectionCheck.h"

namespace tandrel {

namespace {

using Kind = SelectionProblemKind;

constexpr const char* kNeedsOut = " needs --out FILE: its file goes next to the data file";

// The option that asks for what a problem is about, when the command line
// gave it; empty when the problem comes from the settings file.
std::string option_behind(const BatchOptions& o, Kind kind) {
  switch (kind) {
    case Kind::ControlsOutsideUnit:
      return o.controls ? "--controls" : "";
    case Kind::CommandFilesWithoutFile: {
      const auto given = file_output_options(o);
      return given.empty() ? "" : given.front();
    }
    case Kind::FileNameWithoutExtension:
      return o.out ? "--out" : "";
    case Kind::GroupSubsetOutsideUnit:
      return o.groups ? "--groups" : "";
    case Kind::StateSubsetOutsideUnit:
      return o.states ? "--states" : "";
    case Kind::RegionSubsetOutsideUnit:
      return o.regions ? "--regions" : "";
    case Kind::DiasporaSubsetOutsideUnit:
      return "";
    case Kind::VariableNotOffered:
      return o.vars && !o.all_vars ? "--vars" : "";
  }
  return "";
}

std::string periods_offering(std::int32_t interval) {
  std::string periods;
  for (std::int32_t p : {1, 2, 5, 10})
    if (measured_every_period(interval, p))
      periods += (periods.empty() ? "" : " or ") + std::to_string(p);
  return periods;
}

std::string variable_not_offered(const SelectionProblem& problem, const user_selection_type& s,
                                 const Tuser_data_set_listing_obj& d) {
  const std::int32_t interval = d.get_var_interval(0, problem.variable);
  std::string text = "--vars: " + d.get_var_name(0, problem.variable) + " is measured every " +
                     std::to_string(interval) + " years and is not offered for a " +
                     std::to_string(period_length(s.temporal_aggregation)) +
                     "-year period without interpolation; add --interpolate "
                     "linear|carry-forward";
  const std::string periods = periods_offering(interval);
  if (!periods.empty()) text += " or use --period " + periods;
  return text;
}

// The words of a usage error for a problem the option `option` caused.
std::string usage_message(const std::string& option, const SelectionProblem& problem,
                          const user_selection_type& s, const Tuser_data_set_listing_obj& d) {
  switch (problem.kind) {
    case Kind::ControlsOutsideUnit:
      return "--controls applies only to --unit group or --unit state";
    case Kind::CommandFilesWithoutFile:
      return option + kNeedsOut;
    case Kind::FileNameWithoutExtension:
      return "--out: " + s.output_format.output_file_name +
             " has no extension; name the file with one (like .csv, .out, .dat or .raw) so "
             "statistical software can read it";
    case Kind::GroupSubsetOutsideUnit:
      return "--groups applies only to --unit group";
    case Kind::StateSubsetOutsideUnit:
      return "--states applies only to --unit state";
    case Kind::RegionSubsetOutsideUnit:
      return "--regions applies only to --unit region";
    case Kind::DiasporaSubsetOutsideUnit:
      break;
    case Kind::VariableNotOffered:
      return variable_not_offered(problem, s, d);
  }
  return option + ": " + problem.text;
}

// One line naming every variable the period does not offer.
void note_left_out(const std::vector<SelectionProblem>& problems, const user_selection_type& s,
                   const Tuser_data_set_listing_obj& d, std::ostream& notes) {
  std::string names;
  for (const auto& p : problems)
    if (p.kind == Kind::VariableNotOffered)
      names += (names.empty() ? "" : ", ") + d.get_var_name(0, p.variable) + " (every " +
               std::to_string(d.get_var_interval(0, p.variable)) + " years)";
  if (names.empty()) return;
  notes << "tandrel-batch: left out, as a " << period_length(s.temporal_aggregation)
        << "-year period does not offer them without interpolation: " << names << "\n";
}

}  // namespace

void check_output_path(const std::string& option, const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path file(path);
  if (path.empty()) throw UsageError(option + " needs a file name");
  if (fs::is_directory(file, ec) || path.back() == '/')
    throw UsageError(option + ": " + path + " names a folder; name a file in it");
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, ec))
    throw UsageError(option + ": the folder " + folder.string() + " does not exist");
}

void check_batch_selections(const BatchOptions& o, const user_selection_type& requested,
                            const Tuser_data_set_listing_obj& d, std::ostream& notes) {
  // Every file that goes next to the data file needs one, whether the
  // selections record holds it (command files) or not.
  if (const auto given = file_output_options(o); !given.empty() && !o.out)
    throw UsageError(given.front() + kNeedsOut);
  const auto problems = check_selections(requested, d);
  for (const auto& problem : problems) {
    const std::string option = option_behind(o, problem.kind);
    if (!option.empty()) throw UsageError(usage_message(option, problem, requested, d));
  }
  for (const auto& problem : problems)
    if (problem.kind != Kind::VariableNotOffered)
      notes << "tandrel-batch: passed over from " << o.settings_file << ": " << problem.text
            << "\n";
  note_left_out(problems, requested, d, notes);
}

}  // namespace tandrel
