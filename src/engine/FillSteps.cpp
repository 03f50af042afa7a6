#include "engine/FillSteps.h"

#include "app/Globals.h"

namespace tandrel {

void run_fill_steps(TKIV_array_obj&, const user_selection_type& s) {
  const bool wanted = s.interpolate || s.output_missing_cases || s.include_nonkiv_states;
  if (wanted)
    os().message_box(
        "Interpolation, missing in-series years and control cases are not available in this "
        "version of Tandrel; the data set is written without them.");
}

}  // namespace tandrel
