#pragma once

// The two comment blocks every command file ends with: the table of the
// variables in the new data set and the record of the selections that made
// it. Every line starts with "*", in the LIMDEP file too.

#include <string>
#include <vector>

#include "output/OutputColumns.h"
#include "reference/Selections.h"

namespace tandrel {

// The lines of a command file, without their line ends.
using CommandFileLines = std::vector<std::string>;

// Appends the table of `rows` under the names they carry now, so a file
// written after name shortening shows the short names. With `merged` every
// row shows its minimum, maximum and mean column beside the original name.
void write_variable_table(CommandFileLines& out, const display_output_array_type& rows,
                          bool merged);

// Appends the record of the selections: unit, period, actors, filling,
// years, header line and separator.
void write_user_selections(CommandFileLines& out, const user_selection_type& selections);

}  // namespace tandrel
