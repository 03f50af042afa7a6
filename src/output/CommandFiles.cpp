#include "output/CommandFiles.h"

#include "app/Globals.h"

namespace tandrel {

void write_command_files(const user_selection_type& selections, int, const std::string&, bool,
                         display_output_array_type&, output_variable_lists&) {
  if (selections.output_format.destination != output_destination_type::DestFile) return;
  os().message_box(
      "Command files for Stata, SPSS and LIMDEP are not written by this version of Tandrel; the "
      "data file was written without them.");
}

}  // namespace tandrel
