#pragma once

// The steps of a run between loading and sorting: filling gaps by
// interpolation or adding the missing in-series years, adding control cases
// for states without KIV groups, and marking real groups in is_kiv.

#include "reference/Selections.h"

namespace tandrel {

class TKIV_array_obj;

// Interpolation and missing in-series cases never both run; control cases
// only for the group and state units; is_kiv only when it is selected.
void run_fill_steps(TKIV_array_obj& data, const user_selection_type& selections);

}  // namespace tandrel
