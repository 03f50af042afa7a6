#pragma once

// The provenance columns of a data set, after every other column: for each
// numeric variable of a merged run NAME_n (how many values were merged) and
// NAME_filled (the share of them that interpolation or carrying forward
// supplied); a run without merged cases gets NAME_filled alone, 1 for a
// filled value and 0 for one read from the data file. Where no value stands
// behind a case the share is the missing code.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Provenance.h"
#include "engine/TaggedValue.h"
#include "output/OutputColumns.h"

namespace tandrel {

inline constexpr std::int32_t kProvenanceMissing = -99;
// The labels of the columns begin with these, followed by the variable's;
// no longer than "Minimum - ", so that they fit where a minimum's label fits
// (Stata keeps 80 characters).
inline constexpr const char* kProvenanceCountLabel = "Count - ";
inline constexpr const char* kProvenanceShareLabel = "Filled - ";

// The number of provenance columns for `variables` variables.
inline std::size_t provenance_column_count(std::size_t variables, bool merged) {
  return variables * (merged ? 2 : 1);
}

// Appends the columns for `variables` to `lists`, `rows` (one row a column)
// and `header_line`. Names follow the merged columns (NAME_n beside
// NAME_mean) and never repeat one already given.
void add_provenance_columns(const Tuser_data_set_listing_obj& description,
                            const std::vector<std::int32_t>& variables, bool merged,
                            display_output_array_type& rows, output_variable_lists& lists,
                            std::string& header_line, const std::string& separator);

// The values of one case's provenance columns, in column order.
std::vector<TaggedValue> provenance_values(const std::vector<CaseProvenance>& provenance,
                                           bool merged);

// Appends `values` (from provenance_values with the same `merged`) to a
// data line, each behind `separator`, and stores them in `cells` when given.
void append_provenance_values(std::string& line, const std::vector<TaggedValue>& values,
                              bool merged, std::string_view separator, TaggedValue* cells);

}  // namespace tandrel
