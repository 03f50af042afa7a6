#include "engine/Provenance.h"

#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "reference/DataSetListing.h"

namespace tandrel {

namespace {

std::uint64_t group_year_key(std::int32_t numcode, int year) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(numcode)) << 16) |
         static_cast<std::uint16_t>(year);
}

// The rule by which the mean, minimum and maximum of a merged case take a
// value: a number that is not the variable's missing code.
bool holds_value(const TaggedValue& value, std::int32_t missing_code) {
  return value.is_numeric() && !value.equals_code(missing_code);
}

}  // namespace

std::vector<std::int32_t> provenance_variables(const Tuser_data_set_listing_obj& description,
                                               const user_selection_type& selections) {
  std::vector<std::int32_t> variables;
  for (std::int32_t v : selections.variable_selections.variable_columns) {
    const std::int16_t type = description.get_var_type(0, v);
    if (type != kVarTypeInteger && type != kVarTypeReal) continue;
    const std::string& name = description.get_var_name(0, v);
    if (is_identifier_variable(name) || equals_ignore_case(name, "is_kiv")) continue;
    variables.push_back(v);
  }
  return variables;
}

ObservedValues::ObservedValues(const TKIV_array_obj& data,
                               const std::vector<std::int32_t>& variables, int first_year,
                               int last_year)
    : noted_(true), width_(variables.size()) {
  const Tuser_data_set_listing_obj& description = data.description();
  std::vector<std::int32_t> missing;
  for (std::int32_t v : variables) missing.push_back(description.get_var_missing_value(0, v));
  for (const sort_record& r : data.copy_sort_records(first_year, last_year)) {
    const std::size_t at = bits_.size();
    if (!rows_.emplace(group_year_key(r.numcode, r.year), at).second) continue;
    bits_.resize(at + width_);
    for (std::size_t k = 0; k < width_; ++k)
      bits_[at + k] =
          holds_value(data.get_group_value(0, variables[k], r.year, r.numcode), missing[k]);
  }
}

bool ObservedValues::observed(std::int32_t numcode, int year, std::size_t k) const {
  if (!noted_) return true;
  const auto found = rows_.find(group_year_key(numcode, year));
  return found != rows_.end() && bits_[found->second + k];
}

void case_provenance(const TKIV_array_obj& data, const TKIV_Sort_Obj& sort,
                     const std::vector<std::int32_t>& variables, const ObservedValues& observed,
                     std::int32_t first, std::int32_t last, std::vector<CaseProvenance>& out) {
  const Tuser_data_set_listing_obj& description = data.description();
  out.assign(variables.size(), CaseProvenance{});
  std::vector<std::int32_t> missing;
  missing.reserve(variables.size());
  for (std::int32_t v : variables) missing.push_back(description.get_var_missing_value(0, v));
  // Record by record, so that the values of one group-year are read together.
  for (std::int32_t i = first; i <= last; ++i) {
    const sort_record& r = sort.get_record(i);
    for (std::size_t k = 0; k < variables.size(); ++k) {
      if (!holds_value(data.get_group_value(0, variables[k], r.year, r.numcode), missing[k]))
        continue;
      ++out[k].values;
      if (!observed.observed(r.numcode, r.year, k)) ++out[k].filled;
    }
  }
}

}  // namespace tandrel
