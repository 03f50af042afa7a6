#include "run/RunShape.h"

#include <algorithm>

#include "diagnostics/QuietScope.h"
#include "engine/FillSteps.h"
#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "engine/Provenance.h"
#include "output/OutputColumns.h"
#include "output/ProvenanceColumns.h"
#include "process/Exceptions.h"
#include "reference/GroupIndex.h"

namespace tandrel {

namespace {

constexpr int kDataSet = 0;

// The variables a sort record is made of: the only ones that decide which
// group-years exist after the filling steps and how they form cases.
std::vector<std::int32_t> key_variables(const Tuser_data_set_listing_obj& description) {
  std::vector<std::int32_t> keys;
  for (const char* name : {"year", "numcode", "ccode", "region", "diaspora"}) {
    const std::int32_t v = description.find_var_number(kDataSet, name);
    if (v >= 0) keys.push_back(v);
  }
  return keys;
}

// Cases are the runs of one case number whose first record is not blank,
// as the writer takes them.
std::int64_t written_cases(const TKIV_Sort_Obj& sort) {
  std::int64_t cases = 0;
  const std::int32_t last = sort.last_record_index();
  for (std::int32_t k = 0; k <= last; ++k) {
    const bool starts =
        k == 0 || sort.get_record(k).case_number != sort.get_record(k - 1).case_number;
    if (starts && !sort.record_is_blank(k)) ++cases;
  }
  return cases;
}

}  // namespace

RunShapeCounter::RunShapeCounter(const configuration_type& configuration,
                                 const Tuser_data_set_listing_obj& description,
                                 const ReferenceData& reference)
    : configuration_(configuration), description_(description), reference_(reference) {
  key_selections_.variable_selections.variable_columns = key_variables(description_);
  QuietScope quiet;
  keys_ = std::make_unique<TKIV_array_obj>(
      description_, configuration_, kDataSet, description_.get_first_year_possible(kDataSet),
      description_.get_last_year_possible(kDataSet), key_selections_, reference_);
  // The loader gives up on some failures without raising.
  if (!keys_->is_initialized())
    throw EInOutError("The data file " + description_.get_data_file_name(kDataSet) +
                      " could not be read");
}

RunShapeCounter::~RunShapeCounter() = default;

std::size_t RunShapeCounter::bytes() const {
  return keys_->held_bytes();
}

RunShape RunShapeCounter::count(const user_selection_type& selections) const {
  QuietScope quiet;
  bool merged = false;
  RunShape shape;
  shape.cases = count_cases(selections, merged);
  shape.columns = count_columns(selections, merged);
  return shape;
}

std::int64_t RunShapeCounter::count_cases(const user_selection_type& selections,
                                          bool& merged) const {
  // Only the identifier columns the run would hold; a filling step works
  // column by column, and "year", held on every line, creates every
  // group-year any other column could.
  user_selection_type s = selections;
  auto& columns = s.variable_selections.variable_columns;
  const auto& keys = key_selections_.variable_selections.variable_columns;
  std::erase_if(columns, [&keys](std::int32_t v) {
    return std::find(keys.begin(), keys.end(), v) == keys.end();
  });
  Tgroup_index_obj groups = reference_.groups;
  const ReferenceData reference{reference_.regions, reference_.nations, groups};
  TKIV_array_obj data(*keys_, s.first_year, s.last_year, s, reference);
  run_fill_steps(data, s);
  TKIV_Sort_Obj sort(data, groups, s.first_year, s.last_year);
  sort.set_output_cases(s);
  merged = sort.has_merged_cases();
  return written_cases(sort);
}

std::size_t RunShapeCounter::count_columns(const user_selection_type& selections,
                                           bool merged) const {
  Tuser_data_set_listing_obj description = description_;
  display_output_array_type rows;
  output_variable_lists lists;
  std::string header_line, separator;
  set_header(description, merged, selections, rows, lists, header_line, separator);
  std::vector<std::int32_t> provenance;
  if (selections.output_format.provenance_columns)
    provenance = provenance_variables(description, selections);
  add_provenance_columns(description, provenance, merged, rows, lists, header_line, separator);
  return lists.size();
}

}  // namespace tandrel
