#include "engine/FillSteps.h"

#include "engine/KIVArray.h"
#include "reference/DataSetListing.h"

namespace tandrel {

void run_fill_steps(TKIV_array_obj& data, const user_selection_type& s) {
  const Tuser_data_set_listing_obj& description = data.description();
  if (s.interpolate)
    data.interpolate(description, s);
  else if (s.output_missing_cases)
    data.add_missing_in_series(description, s);
  const bool unit_has_controls = s.physical_aggregation == physical_aggregation_type::PhysGroup ||
                                 s.physical_aggregation == physical_aggregation_type::PhysState;
  if (s.include_nonkiv_states && unit_has_controls) data.add_missing_nonkiv(description, s);
  // The program's own variable, added after the data file's variables.
  const std::int32_t is_kiv = description.find_var_number(0, "is_kiv");
  if (is_kiv >= 0 && column_selected(s, is_kiv)) data.set_kiv_flags(description, data.groups());
}

}  // namespace tandrel
