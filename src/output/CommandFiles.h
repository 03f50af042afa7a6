#pragma once

// The command files that let Stata, SPSS and LIMDEP read a written data file.

#include <string>

#include "output/OutputColumns.h"
#include "reference/Selections.h"

namespace tandrel {

class OutputFiles;

// Writes, for a file destination, the requested command files in the order
// Stata, SPSS, LIMDEP. `lines` is the number of data lines written. The SPSS
// and LIMDEP steps may shorten the names in `rows` and `lists`. With `files`
// the command files join the run's set, whose data file is still being
// written. A file that fails is reported and the next still attempted; then
// EInOutError is raised, since a data file without its command files is not
// the output asked for.
void write_command_files(const user_selection_type& selections, int lines,
                         const std::string& separator, bool merged, display_output_array_type& rows,
                         output_variable_lists& lists, OutputFiles* files = nullptr);

}  // namespace tandrel
