#pragma once

// The selections of a batch run: the defaults of start-up, then a settings
// file, then the command line, checked against the installation, then the
// Go command's variable rules.

#include <iosfwd>

#include "batch/BatchOptions.h"
#include "reference/Selections.h"

namespace tandrel {

struct ProcessGlobals;
struct Session;

// Raises UsageError for a code or name the installation does not know, a
// year outside the data's years, or a settings file that cannot be read.
// Notes for the user (variables the period does not offer) go to `notes`.
void apply_batch_options(const BatchOptions& options, const ProcessGlobals& g,
                         const Session& session, user_selection_type& selections,
                         std::ostream& notes);

}  // namespace tandrel
