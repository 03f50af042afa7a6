#pragma once

// run_output_procedure: one data-set creation, from reading the KIV data
// file to the written data file and command files.

#include <functional>
#include <string>

#include "process/ConfigurationType.h"
#include "reference/DataSetListing.h"
#include "reference/ReferenceData.h"
#include "reference/Selections.h"

namespace tandrel {

struct RunResult {
  // The destination was opened and every line went out.
  bool output_written = false;
  int cases_written = 0;
  // The user stopped the run; recorded by a caller that does not let the
  // interrupt through (the main window's Go).
  bool interrupted = false;
  // Why the output was not written, in the system's words ("No such file or
  // directory"); empty when it was, or when the reason is unknown.
  std::string failure;
};

// Tells the user how a run ended, in place of the run's own message. Called
// once, on every path, after the progress window has closed.
using RunEndReport = std::function<void(const RunResult&)>;

// Takes its records by value: the run works on its own copies. The group
// index of `reference` may gain the control groups the run adds. The user
// sees "Output Complete!" when the output was written, and a message that
// it was not completed otherwise, or, with `report`, whatever that shows
// (then the reason of a failure goes to the error log and `report` alone,
// not to a dialog of its own). EUserInterrupt leaves through the run's
// clean-up and reaches the caller.
RunResult run_output_procedure(configuration_type configuration, user_selection_type selections,
                               Tuser_data_set_listing_obj description,
                               const ReferenceData& reference, const RunEndReport& report = {});

inline constexpr const char* kOutputComplete = "Output Complete!";
inline constexpr const char* kOutputNotComplete =
    "Output NOT completed: the output could not be opened or written.  See the error log.";

}  // namespace tandrel
