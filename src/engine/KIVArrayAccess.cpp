// Reading and writing single values of the group-year data array. Every
// look-up is constant time: year -> block, numcode -> slot through the group
// index's table -> row, variable -> position through the column map -> the
// typed column.

#include <algorithm>

#include "diagnostics/Error.h"
#include "engine/KIVArray.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"

namespace tandrel {

std::int16_t TKIV_array_obj::slot(std::int32_t numcode) const {
  return groups_->initialized() ? groups_->slot_of(numcode) : std::int16_t{-1};
}

TKIV_array_obj::YearBlock* TKIV_array_obj::block(int year) const {
  if (year < kFirstEngineYear || year > kLastEngineYear) return nullptr;
  return year_blocks_[static_cast<std::size_t>(year - kFirstEngineYear)].get();
}

std::int32_t TKIV_array_obj::row(std::int32_t numcode, int year) const {
  const YearBlock* b = block(year);
  if (b == nullptr || column_count_ == 0) return -1;
  return b->rows[static_cast<std::size_t>(slot(numcode) + 1)];
}

bool TKIV_array_obj::missing_code(int ds, std::int32_t variable, std::int32_t& code) const {
  if (ds == ds_ && variable >= 0 && static_cast<std::size_t>(variable) < missing_codes_.size()) {
    code = missing_codes_[static_cast<std::size_t>(variable)];
    return true;
  }
  try {
    code = description_->get_var_missing_value(ds, variable);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TKIV_array_obj::init_group_year(int year, std::int32_t numcode) {
  YearBlock* b = in_partition(year) ? block(year) : nullptr;
  if (b == nullptr || column_count_ == 0) {
    error("Tried to create group " + std::to_string(numcode) + " in " + std::to_string(year) +
              ", a year that is not held in memory.  Notify programmer.",
          1, noncritical);
    return;
  }
  std::int32_t& r = b->rows[static_cast<std::size_t>(slot(numcode) + 1)];
  if (r < 0) r = store_.add_row();
  for (std::size_t p = 0; p < initial_row_.size(); ++p) store_.set(r, p, initial_row_[p]);
}

bool TKIV_array_obj::group_year_exists(std::int32_t numcode, int year) const {
  return row(numcode, year) >= 0;
}

bool TKIV_array_obj::variable_selected(std::int32_t variable) const {
  return variable >= 0 && static_cast<std::size_t>(variable) < column_map_.size() &&
         column_map_[static_cast<std::size_t>(variable)] != -1;
}

std::int32_t TKIV_array_obj::group_year_row(std::int32_t numcode, int year) const {
  if (!initialized_ || !in_partition(year)) return -1;
  return row(numcode, year);
}

bool TKIV_array_obj::value_available(std::int32_t variable, int year, std::int32_t numcode) const {
  return initialized_ && in_partition(year) && variable_selected(variable) &&
         group_year_exists(numcode, year);
}

bool TKIV_array_obj::sub_get_into(std::int32_t position, std::int32_t numcode, int year,
                                  TaggedValue& result) const {
  const std::int32_t r = row(numcode, year);
  if (r < 0 || position < 0 || static_cast<std::size_t>(position) >= column_count_) {
    error(
        "Error in \"kiv_array_obj.sub_get\" procedure retrieving data value for user variable "
        "number " +
            std::to_string(position) + " for group number " + std::to_string(numcode) + " in " +
            std::to_string(year) + ".",
        1, noncritical);
    return false;
  }
  result = value_at(r, position);
  return true;
}

TaggedValue TKIV_array_obj::sub_get(std::int32_t position, std::int32_t numcode, int year) const {
  TaggedValue result;
  sub_get_into(position, numcode, year, result);
  return result;
}

TaggedValue TKIV_array_obj::get_group_value(int ds, std::int32_t variable, int year,
                                            std::int32_t numcode) const {
  // A variable the description does not have gets the generic missing code.
  std::int32_t code = -99;
  if (!missing_code(ds, variable, code)) {
    error(
        "Error in \"kiv_array_obj.get_group_value\" procedure retrieving data value for "
        "configuration variable number " +
            std::to_string(variable) + " for group number " + std::to_string(numcode) + " in " +
            std::to_string(year) + ".",
        1, noncritical);
    return TaggedValue::int32(code);
  }
  // value_available and sub_get in one look-up: this runs once per value
  // written.
  if (!initialized_ || !in_partition(year) || !variable_selected(variable))
    return TaggedValue::int32(code);
  const std::int32_t r = row(numcode, year);
  if (r < 0) return TaggedValue::int32(code);
  return value_at(r, column_map_[static_cast<std::size_t>(variable)]);
}

void TKIV_array_obj::set_group_value(int /*ds*/, std::int32_t variable, const TaggedValue& value,
                                     int year, std::int32_t numcode) {
  // A variable the user did not choose has no place to go; that is no error.
  if (!variable_selected(variable)) return;
  if (!value_available(variable, year, numcode)) {
    error(
        "Tried to set a value for a case that was not in range of the data set.  Tried to set "
        "value for group " +
            std::to_string(numcode) + " in " + std::to_string(year),
        1, noncritical);
    return;
  }
  store_.set(row(numcode, year),
             static_cast<std::size_t>(column_map_[static_cast<std::size_t>(variable)]), value);
}

bool TKIV_array_obj::state_has_group_year(std::int32_t ccode, int year) const {
  return group_year_exists(ccode * 100, year) || group_year_exists(ccode * 100 + 1, year);
}

bool TKIV_array_obj::state_has_kiv_groups(std::int32_t ccode) const {
  for (std::int32_t sequence = 1; sequence <= 99; ++sequence)
    if (slot(ccode * 100 + sequence) != -1) return true;
  return false;
}

}  // namespace tandrel
