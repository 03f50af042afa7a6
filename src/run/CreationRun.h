#pragma once

// run_output_procedure: one data-set creation, from reading the KIV data
// file to the written data file and command files.

#include "process/ConfigurationType.h"
#include "reference/DataSetListing.h"
#include "reference/ReferenceData.h"
#include "reference/Selections.h"

namespace tandrel {

struct RunResult {
  // The destination was opened and every line went out.
  bool output_written = false;
  int cases_written = 0;
};

// Takes its records by value: the run works on its own copies. The group
// index of `reference` may gain the control groups the run adds. The user
// sees "Output Complete!" when the output was written, and a message that
// it was not completed otherwise. EUserInterrupt leaves through the run's
// clean-up and reaches the caller.
RunResult run_output_procedure(configuration_type configuration, user_selection_type selections,
                               Tuser_data_set_listing_obj description,
                               const ReferenceData& reference);

inline constexpr const char* kOutputComplete = "Output Complete!";
inline constexpr const char* kOutputNotComplete =
    "Output NOT completed: the output could not be opened or written.  See the error log.";

}  // namespace tandrel
