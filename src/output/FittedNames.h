#pragma once

// Column names cut to what a client program accepts: Stata takes names of at
// most 32 characters, SPSS data files at most 64. The Stata command file and
// the native data files use these names; the delimited data file keeps the
// full ones in its header line.

#include <cstddef>
#include <string>
#include <vector>

#include "output/OutputColumns.h"

namespace tandrel {

inline constexpr std::size_t kStataNameLength = 32;
inline constexpr std::size_t kSpssLongNameLength = 64;

// The names of `names`, in order, each at most `limit` characters. A name
// that fits stays as it is. A longer one is cut to `limit`; where the cut
// meets a name already given (without regard to letter case) it is cut
// shorter and ends in a counter, 01 to 99 and on with more digits, until it
// is free. With `distinct`, a name that fits but repeats an earlier one
// (without regard to letter case) is numbered the same way, so that every
// name of the result differs.
//   "lang_instruction_restriction_lvl_mean" (37)
//     -> "lang_instruction_restriction_lvl"
//   a second name with the same first 32 characters
//     -> "lang_instruction_restriction_l01"
std::vector<std::string> fitted_names(const std::vector<std::string>& names, std::size_t limit,
                                      bool distinct = false);

// `rows` with every column name replaced by its fitted name: the k-th
// occurrence of a name in the rows stands for its k-th column in `old_names`.
display_output_array_type renamed_rows(const display_output_array_type& rows,
                                       const std::vector<std::string>& old_names,
                                       const std::vector<std::string>& new_names);

}  // namespace tandrel
