// Cases the data file does not hold: the missing years inside a group's
// series, the control cases of states without KIV groups, and the is_kiv
// flag that tells the control groups from the real ones.

#include <memory>
#include <stdexcept>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "engine/KIVArray.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"

namespace tandrel {

namespace {

constexpr const char* kControlGroupName = "Not a KIV Group (Control Only)";
constexpr std::int32_t kControlDiaspora = -99;
constexpr int kLastSlot = kMaxGroupSlot;

}  // namespace

// The identifying variables the added cases carry.
struct TKIV_array_obj::KeyVariables {
  std::int32_t region;
  std::int32_t year;
  std::int32_t numcode;
  std::int32_t ccode;
  std::int32_t group;
  std::int32_t numcode_missing;
  std::int32_t numcode_position;  // -1 when "numcode" is not selected

  KeyVariables(const TKIV_array_obj& data, const Tuser_data_set_listing_obj& description)
      : region(description.get_var_number(data.ds_, "region")),
        year(description.get_var_number(data.ds_, "year")),
        numcode(description.get_var_number(data.ds_, "numcode")),
        ccode(description.get_var_number(data.ds_, "ccode")),
        group(description.get_var_number(data.ds_, "group")),
        numcode_missing(description.get_var_missing_value(data.ds_, numcode)),
        numcode_position(data.variable_selected(numcode)
                             ? data.column_map_[static_cast<std::size_t>(numcode)]
                             : -1) {}

  // A year counts as present when its "numcode" is not the missing code.
  bool present(const ColumnStore& store, std::int32_t row) const {
    return row >= 0 && numcode_position >= 0 &&
           !store.get(row, static_cast<std::size_t>(numcode_position)).equals_code(numcode_missing);
  }
};

void TKIV_array_obj::add_missing_in_series(const Tuser_data_set_listing_obj& description,
                                           const user_selection_type& /*selections*/) {
  trace().Enter("Adding missing in-series cases ");
  auto process_trace =
      std::make_unique<Ttrace_obj>(trace().GetLevel(), "Initializing \"process_trace\" ");
  const KeyVariables keys(*this, description);
  for (std::int32_t slot = -1; slot <= kLastSlot; ++slot) {
    process_trace->Tick("Adding missing in-series cases", kLastSlot + 1);
    const std::int32_t numcode = groups_->get_numcode(slot);
    if (groups_->have_group(numcode)) add_series_gaps(numcode, keys);
  }
  process_trace->TickDone();
  process_trace.reset();
  trace().Exit("Finished adding missing in-series cases ");
}

void TKIV_array_obj::add_series_gaps(std::int32_t numcode, const KeyVariables& keys) {
  std::vector<std::int32_t> rows;
  series_rows(numcode, rows);
  const int first = first_partition_year_;
  const int last = last_partition_year_;
  auto present = [&](int year) {
    return keys.present(store_, rows[static_cast<std::size_t>(year - first)]);
  };
  int a = first;
  while (a <= last && !present(a)) ++a;
  if (a > last) return;  // no data for this group
  int z = last;
  while (!present(z)) --z;
  while (a + 1 < z) {
    int b = a + 1;
    while (!present(b)) ++b;
    for (int i = a + 1; i < b; ++i) fill_series_year(numcode, a, i, keys);
    a = b;
  }
}

// Year `year` gets the identifiers of `source_year`; its other values stay.
void TKIV_array_obj::fill_series_year(std::int32_t numcode, int source_year, int year,
                                      const KeyVariables& keys) {
  if (!group_year_exists(numcode, year)) init_group_year(year, numcode);
  for (std::int32_t v : {keys.numcode, keys.region, keys.ccode, keys.group})
    set_group_value(ds_, v, get_group_value(ds_, v, source_year, numcode), year, numcode);
  set_group_value(ds_, keys.year, TaggedValue::uint16(static_cast<std::uint16_t>(year)), year,
                  numcode);
}

void TKIV_array_obj::add_missing_nonkiv(const Tuser_data_set_listing_obj& description,
                                        const user_selection_type& selections) {
  trace().Enter("Adding missing non-KIV cases ");
  auto process_trace = std::make_unique<Ttrace_obj>(
      trace().GetLevel(), "Initializing \"process_trace in add-missing-non-kiv\" ");
  const KeyVariables keys(*this, description);
  std::vector<std::int32_t> candidates;
  if (selections.all_nonkiv_states)
    for (std::int32_t k = -1; k <= 1000; ++k) candidates.push_back(k);
  else
    candidates.assign(selections.selected_nonkiv_states.begin(),
                      selections.selected_nonkiv_states.end());
  const int first = description.get_first_year_possible(ds_);
  const int last = description.get_last_year_possible(ds_);
  bool full_reported = false;
  for (int year = first; year <= last; ++year) {
    // A year without a block is not held, also in the nil structure's 1800.
    if (!in_partition(year) || block(year) == nullptr) continue;
    for (std::int32_t k : candidates) {
      if (!wants_control_case(k, year) || add_control_case(k, year, keys) || full_reported)
        continue;
      error(
          "The group index holds as many groups as it can (1001), so no control group could be "
          "added for state " +
              std::to_string(k) +
              " or any other state that has none yet.  Control cases of these states are left "
              "out of this data set.",
          1, noncritical);
      full_reported = true;
    }
    process_trace->Tick("Adding non-KIV cases", last - first);
  }
  trace().Exit("Done adding missing non-KIV cases ");
  process_trace->TickDone();
}

bool TKIV_array_obj::wants_control_case(std::int32_t ccode, int year) const {
  // Only codes 0..999 can form a numcode; the nation list holds no others.
  return ccode >= 0 && ccode <= 999 && reference_.nations.is_a_state(ccode, year) &&
         !state_has_group_year(ccode, year) && !state_has_kiv_groups(ccode);
}

// Returns false, adding nothing, when the state has no control group yet
// and the group index has no room left for one.
bool TKIV_array_obj::add_control_case(std::int32_t ccode, int year, const KeyVariables& keys) {
  const std::int32_t numcode = ccode * 100;
  const kiv_region_type home = reference_.nations.get_home_region(ccode);
  if (!groups_->have_group(numcode)) {
    if (groups_->count() > kMaxGroupSlot) return false;
    groups_->add_group(numcode, kControlGroupName, kControlDiaspora,
                       reference_.regions.get_code_from_region(home), ccode);
  }
  if (!group_year_exists(numcode, year)) init_group_year(year, numcode);
  static const std::string* const name = intern_text(kControlGroupName);
  set_group_value(ds_, keys.numcode, TaggedValue::int32(numcode), year, numcode);
  set_group_value(ds_, keys.year, TaggedValue::uint16(static_cast<std::uint16_t>(year)), year,
                  numcode);
  set_group_value(ds_, keys.ccode, TaggedValue::int16(static_cast<std::int16_t>(ccode)), year,
                  numcode);
  set_group_value(ds_, keys.group, TaggedValue::interned(name), year, numcode);
  set_group_value(ds_, keys.region, TaggedValue::uint8(static_cast<std::uint8_t>(home)), year,
                  numcode);
  return true;
}

void TKIV_array_obj::set_kiv_flags(const Tuser_data_set_listing_obj& description,
                                   Tgroup_index_obj& groups) {
  const std::int32_t numcode_variable = description.get_var_number(ds_, "numcode");
  const std::int32_t is_kiv = description.find_var_number(ds_, "is_kiv");
  const int first = description.get_first_year_possible(ds_);
  const int last = description.get_last_year_possible(ds_);
  for (std::int32_t slot = -1; slot <= kLastSlot; ++slot) {
    const std::int32_t numcode = groups.get_numcode(slot);
    if (!groups.have_group(numcode)) continue;
    for (int year = first; year <= last; ++year) {
      if (!group_year_exists(numcode, year)) continue;
      const std::int64_t n = get_group_value(ds_, numcode_variable, year, numcode).to_int();
      set_group_value(ds_, is_kiv, TaggedValue::uint8(n % 100 == 0 ? 0 : 1), year, numcode);
    }
  }
}

}  // namespace tandrel
