#pragma once

// The one statement of what makes a selections record whole: the parts of it
// a run would refuse or pass over. The main window keeps most of these from
// arising, tandrel-batch refuses them, and the engine keeps its own guards.

#include <cstdint>
#include <string>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

enum class SelectionProblemKind : std::uint8_t {
  // Control cases exist only for group and state units.
  ControlsOutsideUnit,
  // Command files are written only next to a data file.
  CommandFilesWithoutFile,
  // Statistical software needs the data file's extension.
  FileNameWithoutExtension,
  // A subset of groups, states, regions or diasporas that the unit does not use.
  GroupSubsetOutsideUnit,
  StateSubsetOutsideUnit,
  RegionSubsetOutsideUnit,
  DiasporaSubsetOutsideUnit,
  // A chosen variable measured less often than the period, without interpolation.
  VariableNotOffered,
};

struct SelectionProblem {
  SelectionProblemKind kind;
  // The variable of VariableNotOffered; -1 otherwise.
  std::int32_t variable = -1;
  // One sentence for the user, without naming any control or option.
  std::string text;

  bool operator==(const SelectionProblem&) const = default;
};

// Years in one output period: 1, 2, 5 or 10. An unknown time unit (possible
// only from a damaged settings file) counts as annual.
std::int32_t period_length(temporal_aggregation_type unit);

// Whether a variable measured every `interval` years fills every period of
// `period` years: interval 0 (no fixed interval), or one dividing the period.
bool measured_every_period(std::int32_t interval, std::int32_t period);

// Whether `selections` can output the variable measured every `interval`
// years: always with interpolation, else when measured every period.
bool period_offers(const user_selection_type& selections, std::int32_t interval);

// True when the file-name part of `file_name` has an extension other than a
// bare ".".
bool has_extension(const std::string& file_name);

// What in `selections` is wrong or would be passed over by a run, in the
// order of the kinds above. The chosen variables are those of
// variable_columns, numbered as in data set 0 of `description`. A list that
// holds every item counts as a subset only when its "all" flag is off.
std::vector<SelectionProblem> check_selections(const user_selection_type& selections,
                                               const Tuser_data_set_listing_obj& description);

}  // namespace tandrel
