#pragma once

// What each subset list holds when every item is included: the groups, the
// states with and without KIV groups, the regions and the diasporas of the
// reference data. The subset dialogs and tandrel-batch both draw on these.
//
// Only real KIV groups count (numcode not a multiple of 100): the control
// groups a run adds to the group index must not turn a state without KIV
// groups into one with them, nor add their diaspora code or region.

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel {

class Tgroup_index_obj;
class Tnation_array_obj;
class Tregion_list_info_obj;

struct SubsetItem {
  std::string text;  // what the list shows
  std::int32_t key;  // numcode, COW code, region enumeration value or diaspora code
};

// "numcode name (state)", with a "0" before a 4-digit numcode so that the
// sorted list runs in numeric order.
std::string group_item_text(std::int32_t numcode, const std::string& name,
                            const std::string& state_name);

bool is_kiv_numcode(std::int32_t numcode);

// Groups in slot order.
std::vector<SubsetItem> group_items(const Tgroup_index_obj& groups,
                                    const Tnation_array_obj& nations);
// States on the nation list with at least one KIV group, by code.
std::vector<SubsetItem> kiv_state_items(const Tgroup_index_obj& groups,
                                        const Tnation_array_obj& nations);
// States on the nation list without KIV groups that were states at some time
// between `first_year` and `last_year`, by code.
std::vector<SubsetItem> nonkiv_state_items(const Tgroup_index_obj& groups,
                                           const Tnation_array_obj& nations, int first_year,
                                           int last_year);
// Regions of the region list that hold a KIV group, in list order.
std::vector<SubsetItem> region_items(const Tgroup_index_obj& groups,
                                     const Tregion_list_info_obj& regions);
// Diaspora codes -99..1000 that some KIV group carries, ascending.
std::vector<SubsetItem> diaspora_items(const Tgroup_index_obj& groups);

}  // namespace tandrel
