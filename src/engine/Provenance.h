#pragma once

// Where the values of an output case came from: how many of a variable's
// values were merged into it, and how many of those the filling steps
// (interpolation or carrying forward) supplied rather than the data file.
// Worked out through the value access of the data array and the sort
// records, so it follows whatever the writers merge.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

class TKIV_array_obj;
class TKIV_Sort_Obj;
class Tuser_data_set_listing_obj;

// The variables that get provenance columns, in output order: the selected
// numeric variables (integer and real) other than the identifiers and the
// program's own is_kiv, whose values nobody merges or fills as data.
std::vector<std::int32_t> provenance_variables(const Tuser_data_set_listing_obj& description,
                                               const user_selection_type& selections);

// Which values the data file itself held, noted before the filling steps
// run. A value the array holds afterwards that was not noted was filled.
class ObservedValues {
 public:
  // Nothing noted: every value counts as read from the data file (runs
  // without interpolation).
  ObservedValues() = default;
  // Notes, for every group-year of first..last in `data` and each of
  // `variables`, whether it holds a value (a number that is not the
  // variable's missing code).
  ObservedValues(const TKIV_array_obj& data, const std::vector<std::int32_t>& variables,
                 int first_year, int last_year);

  // Whether the k-th of the variables was read for the group-year; always
  // true when nothing was noted.
  bool observed(std::int32_t numcode, int year, std::size_t k) const;

 private:
  bool noted_ = false;
  std::size_t width_ = 0;
  std::unordered_map<std::uint64_t, std::size_t> rows_;  // group-year -> first bit
  std::vector<bool> bits_;
};

// One variable in one case.
struct CaseProvenance {
  std::int32_t values = 0;  // merged values that are not the missing code
  std::int32_t filled = 0;  // of those, supplied by the filling steps
};

// The provenance of each of `variables` over sort records first..last, into
// `out` (resized to the variables).
void case_provenance(const TKIV_array_obj& data, const TKIV_Sort_Obj& sort,
                     const std::vector<std::int32_t>& variables, const ObservedValues& observed,
                     std::int32_t first, std::int32_t last, std::vector<CaseProvenance>& out);

}  // namespace tandrel
