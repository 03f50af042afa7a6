#include "reference/SubsetSources.h"

#include <array>
#include <set>

#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"

namespace tandrel {

namespace {

constexpr int kFirstCode = -1;
constexpr int kLastCode = 1000;

template <typename Visit>
void for_each_kiv_group(const Tgroup_index_obj& groups, Visit visit) {
  for (std::int32_t slot = 0; slot < groups.count(); ++slot) {
    const group_record& g = groups.group(slot);
    if (is_kiv_numcode(g.numcode)) visit(g);
  }
}

std::set<std::int32_t> kiv_state_codes(const Tgroup_index_obj& groups) {
  std::set<std::int32_t> codes;
  for_each_kiv_group(groups, [&](const group_record& g) { codes.insert(g.ccode); });
  return codes;
}

}  // namespace

bool is_kiv_numcode(std::int32_t numcode) {
  return numcode > 0 && numcode % 100 != 0;
}

std::string group_item_text(std::int32_t numcode, const std::string& name,
                            const std::string& state_name) {
  std::string number = std::to_string(numcode);
  if (number.size() == 4) number = "0" + number;
  return number + " " + name + " (" + state_name + ")";
}

std::vector<SubsetItem> group_items(const Tgroup_index_obj& groups,
                                    const Tnation_array_obj& nations) {
  std::vector<SubsetItem> items;
  for_each_kiv_group(groups, [&](const group_record& g) {
    items.push_back({group_item_text(g.numcode, g.name, nations.get_fullname(g.ccode)), g.numcode});
  });
  return items;
}

std::vector<SubsetItem> kiv_state_items(const Tgroup_index_obj& groups,
                                        const Tnation_array_obj& nations) {
  const auto codes = kiv_state_codes(groups);
  std::vector<SubsetItem> items;
  for (std::int32_t code = kFirstCode; code <= kLastCode; ++code)
    if (codes.count(code) && nations.have_info(code))
      items.push_back({nations.get_fullname(code), code});
  return items;
}

std::vector<SubsetItem> nonkiv_state_items(const Tgroup_index_obj& groups,
                                           const Tnation_array_obj& nations, int first_year,
                                           int last_year) {
  const auto codes = kiv_state_codes(groups);
  std::vector<SubsetItem> items;
  for (std::int32_t code = kFirstCode; code <= kLastCode; ++code)
    if (!codes.count(code) && nations.have_info(code) &&
        nations.is_a_state_between(code, first_year, last_year))
      items.push_back({nations.get_fullname(code), code});
  return items;
}

std::vector<SubsetItem> region_items(const Tgroup_index_obj& groups,
                                     const Tregion_list_info_obj& regions) {
  std::array<bool, kRegionCount> used{};
  for_each_kiv_group(
      groups, [&](const group_record& g) { used[static_cast<std::size_t>(g.region)] = true; });
  std::vector<SubsetItem> items;
  for (const auto& entry : regions.entries())
    if (used[static_cast<std::size_t>(entry.region)])
      items.push_back({entry.name, static_cast<std::int32_t>(entry.region)});
  return items;
}

std::vector<SubsetItem> diaspora_items(const Tgroup_index_obj& groups) {
  std::set<std::int32_t> codes;
  for_each_kiv_group(groups, [&](const group_record& g) { codes.insert(g.diaspora); });
  std::vector<SubsetItem> items;
  for (std::int32_t code : codes) items.push_back({std::to_string(code), code});
  return items;
}

}  // namespace tandrel
