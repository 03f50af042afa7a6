// An array built from the identifier columns of another instead of the data
// file: the group-years a run would hold, without its values.

#include <algorithm>

#include "diagnostics/Trace.h"
#include "engine/KIVArray.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"

namespace tandrel {

TKIV_array_obj::TKIV_array_obj(const TKIV_array_obj& keys, int first_year, int last_year,
                               const user_selection_type& selections,
                               const ReferenceData& reference)
    : description_(keys.description_),
      configuration_(keys.configuration_),
      selections_(&selections),
      reference_(reference),
      groups_(&reference.groups),
      ds_(keys.ds_) {
  year_variable_ = description_->get_var_number(ds_, "year");
  ccode_variable_ = description_->get_var_number(ds_, "ccode");
  build_column_map();
  if (decide_partition(first_year, last_year)) {
    allocate_year_blocks();
    copy_key_rows(keys);
  }
  initialized_ = true;
}

// Slot by slot: `keys` filed its lines under the same group index, so its
// slots are this array's (a group added since then only appends a slot).
void TKIV_array_obj::copy_key_rows(const TKIV_array_obj& keys) {
  std::vector<std::pair<std::size_t, std::size_t>> positions;  // here, there
  for (std::size_t v = 0; v < column_map_.size(); ++v)
    if (column_map_[v] >= 0 && v < keys.column_map_.size() && keys.column_map_[v] >= 0)
      positions.emplace_back(static_cast<std::size_t>(column_map_[v]),
                             static_cast<std::size_t>(keys.column_map_[v]));
  // Positions no key column fills start as a created group-year's do.
  std::vector<std::size_t> unfilled;
  for (std::size_t p = 0; p < initial_row_.size(); ++p)
    if (std::none_of(positions.begin(), positions.end(),
                     [p](const auto& pair) { return pair.first == p; }))
      unfilled.push_back(p);
  for (int year = first_partition_year_; year <= last_partition_year_; ++year) {
    const YearBlock* from = keys.in_partition(year) ? keys.block(year) : nullptr;
    YearBlock* to = block(year);
    if (from == nullptr || to == nullptr) continue;
    for (std::size_t s = 0; s < from->rows.size(); ++s) {
      const std::int32_t source = from->rows[s];
      if (source < 0) continue;
      const std::int32_t row = store_.add_row();
      for (std::size_t p : unfilled) store_.set(row, p, initial_row_[p]);
      for (const auto& [here, there] : positions)
        store_.set(row, here, keys.store_.get(source, there));
      to->rows[s] = row;
    }
  }
}

std::size_t TKIV_array_obj::held_bytes() const {
  std::size_t bytes = store_.bytes();
  for (const auto& b : year_blocks_)
    if (b) bytes += sizeof(YearBlock);
  return bytes;
}

}  // namespace tandrel
