#pragma once

// The columns of an output data set: their names, storage type words,
// missing codes and labels, one row per source variable that tells which
// columns belong to it, and the header line that lists the names. The data
// line writer and the command files are driven by these lists.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

class OutputChannel;
class Tuser_data_set_listing_obj;

// Four parallel lists, one entry per output column, in column order.
struct output_variable_lists {
  std::vector<std::string> names;
  std::vector<std::string> types;          // "long", "float" or "str32"
  std::vector<std::string> missing_codes;  // decimal integer text
  std::vector<std::string> labels;

  void clear();
  std::size_t size() const { return names.size(); }
};

// One source variable and the names of its columns; a name is empty when the
// variable has no such column.
struct display_output_row {
  std::string name;
  std::string min_name;
  std::string max_name;
  std::string mean_name;
};

using display_output_array_type = std::vector<display_output_row>;

// The one-character text of a separator: " ", "," or a tab.
std::string separator_text(separator_type separator);

// The storage type word of a description type code; nullptr for a code the
// output does not know.
const char* type_word_of(std::int16_t type_code);

// Appends one column to the four lists and its name to `header_line`,
// behind `separator` unless the header line is still empty.
void add_output_variable(output_variable_lists& lists, std::string& header_line,
                         const std::string& separator, const std::string& name,
                         const std::string& label, std::int32_t missing_code,
                         const std::string& type_word);

// `name` when no entry of `names` equals it without regard to letter case;
// otherwise a numbered variant that is free: a final two-digit number counts
// up ("numcod01", "numcod02", ...), a name without one is cut to 6
// characters and gets "01". When the count would pass 99 the stem loses one
// more character (down to one) and the number gets one more digit, so the
// search only moves forward and always ends.
std::string unique_var_name(const std::vector<std::string>& names, const std::string& name);

// The same search against any notion of "taken".
std::string unique_name(const std::string& name,
                        const std::function<bool(const std::string&)>& taken);

// Fills `lists`, `rows`, `header_line` and `separator` for the variables of
// selections.variable_selections (data set 0 of `description`). `merged`
// turns every variable into mean, minimum and maximum columns and adds the
// count column. A variable whose name repeats an earlier column is renamed,
// the user is told in an information box, and the description carries the
// new name from then on.
void set_header(Tuser_data_set_listing_obj& description, bool merged,
                const user_selection_type& selections, display_output_array_type& rows,
                output_variable_lists& lists, std::string& header_line, std::string& separator);

// Writes `header_line` when selections.output_format.header_line asks for
// one. A write failure is reported through error() and the EInOutError
// raised again.
void write_header(OutputChannel& channel, const user_selection_type& selections,
                  const std::string& header_line);

}  // namespace tandrel
