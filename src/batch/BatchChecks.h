#pragma once

// What tandrel-batch refuses before anything runs: options the selections
// would pass over, and output paths that cannot be written. The rules of a
// whole selection are those of check_selections; here they are worded as
// the options that caused them.

#include <iosfwd>
#include <string>

#include "batch/BatchOptions.h"
#include "reference/Selections.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

// Raises UsageError when `path` names a folder or lies in a folder that does
// not exist. `option` names the option in the message.
void check_output_path(const std::string& option, const std::string& path);

// `requested` holds the selections with every subset and variable the
// command line or the settings asked for, before the variable rules drop
// anything. A problem caused by an option raises UsageError naming it;
// a problem that comes from the settings file only, and variables left out
// of --vars all, are told in one line each on `notes`.
void check_batch_selections(const BatchOptions& options, const user_selection_type& requested,
                            const Tuser_data_set_listing_obj& description, std::ostream& notes);

}  // namespace tandrel
