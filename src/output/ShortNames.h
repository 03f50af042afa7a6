#pragma once

// Column names of at most eight characters, as the SPSS and LIMDEP command
// files need them. Only the generated minimum, maximum and mean columns (and
// the provenance columns, known by their labels) are
// shortened; the new names replace the old ones in the column lists and in
// the rows, so every file and table written afterwards shows them.

#include <cstddef>
#include <functional>
#include <string>

#include "output/OutputColumns.h"

namespace tandrel {

inline constexpr std::size_t kShortNameLength = 8;

// SPSS and LIMDEP do not tell names apart by letter case.
bool same_column_name(const std::string& a, const std::string& b);

// Whether `name` ends in "_min", "_max" or "_mean" (in this letter case).
bool has_aggregate_suffix(const std::string& name);

// The short form of a name with an aggregate suffix: the suffix becomes
// "mn", "mx" or "me", vowels are dropped one at a time while the name is too
// long, and a name still too long keeps its first and last seven characters.
std::string shortened_name(const std::string& long_name);

// The short name of the column `long_name`. When `taken` says another column
// already holds the short form, its last characters become a counter until
// the name is free, staying within eight characters. The row field that held
// `long_name` (minimum, maximum or mean name, or the name of a row that is a
// column itself) takes the new name.
std::string short_var_name(const std::string& long_name, display_output_array_type& rows,
                           const std::function<bool(const std::string&)>& taken);

// Applies the length rule to column `column` of `lists`: a name longer than
// eight characters with an aggregate suffix is replaced by its short name
// (unique among the columns, without regard to letter case); one without a
// suffix is reported and kept.
void apply_length_rule(output_variable_lists& lists, display_output_array_type& rows,
                       std::size_t column);

}  // namespace tandrel
