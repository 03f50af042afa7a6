// The rules of case forming: which records the user wants, which records
// join a case, and the period a case covers.

#include <algorithm>

#include "diagnostics/Error.h"
#include "engine/KIVCaseRules.h"
#include "engine/KIVSort.h"

namespace tandrel {

namespace {

template <typename List, typename Value>
bool listed(const List& list, Value value) {
  return std::any_of(list.begin(), list.end(), [value](const auto& item) {
    return static_cast<std::int64_t>(item) == static_cast<std::int64_t>(value);
  });
}

// The subset lists searched as they are.
struct ScannedLists {
  const user_selection_type& s;
  bool group(std::int32_t numcode) const { return listed(s.selected_groups, numcode); }
  bool nonkiv_state(std::int32_t ccode) const { return listed(s.selected_nonkiv_states, ccode); }
  bool state(std::int32_t ccode) const { return listed(s.selected_states, ccode); }
  bool region(std::uint8_t region) const { return listed(s.selected_regions, region); }
  bool diaspora(std::int32_t diaspora) const { return listed(s.selected_diasporas, diaspora); }
};

bool same_unit(const sort_record& a, const sort_record& b, physical_aggregation_type physical) {
  switch (physical) {
    case physical_aggregation_type::PhysGroup:
      return a.numcode == b.numcode;
    case physical_aggregation_type::PhysState:
      return a.ccode == b.ccode;
    case physical_aggregation_type::PhysRegion:
      return a.region == b.region;
    case physical_aggregation_type::PhysGlobe:
      return true;
    case physical_aggregation_type::PhysDiaspora:
      return a.diaspora == b.diaspora;
  }
  error(
      "Physical grouping in function \"same group\" not recognized - programming error - notify "
      "programmer. Continuing, but likely error.",
      2, noncritical);
  return false;
}

bool same_period(std::int32_t start, std::int32_t year, temporal_aggregation_type temporal) {
  switch (temporal) {
    case temporal_aggregation_type::TimeAnnual:
      return year == start;
    case temporal_aggregation_type::Time2yr:
      return start <= year && year <= start + 1;
    case temporal_aggregation_type::Time5yr:
      return start <= year && year <= start + 4;
    case temporal_aggregation_type::Time10yr:
      return start <= year && year <= start + 9;
  }
  error(
      "Temporal grouping in function \"same group\" not recognized - programming error - notify "
      "programmer. Continuing, but likely error.",
      2, noncritical);
  return false;
}

}  // namespace

Tcase_chooser_obj::Tcase_chooser_obj(const user_selection_type& selections)
    : selections_(selections) {
  auto mark = [](auto& table, const auto& list, std::int64_t offset) {
    for (const auto& item : list) {
      const std::int64_t index = static_cast<std::int64_t>(item) + offset;
      if (index >= 0 && index < static_cast<std::int64_t>(table.size()))
        table.set(static_cast<std::size_t>(index));
    }
  };
  mark(groups_, selections.selected_groups, 1);
  mark(nonkiv_states_, selections.selected_nonkiv_states, 1);
  mark(states_, selections.selected_states, 1);
  mark(regions_, selections.selected_regions, 0);
  mark(diasporas_, selections.selected_diasporas, 99);
}

bool want_case(const sort_record& record, const user_selection_type& selections) {
  return want_case_with(record, selections, ScannedLists{selections});
}

bool same_group(const sort_record& current, const sort_record& record,
                physical_aggregation_type physical, temporal_aggregation_type temporal) {
  const bool unit = same_unit(current, record, physical);
  const bool period = same_period(current.year, record.year, temporal);
  return unit && period;
}

void set_basecase_startyear(sort_record& current, temporal_aggregation_type temporal,
                            int last_year) {
  const std::int32_t year = current.year;
  std::int32_t start = year;
  std::int32_t length = 1;
  switch (temporal) {
    case temporal_aggregation_type::TimeAnnual:
      current.period_start = current.period_end = year;
      return;
    case temporal_aggregation_type::Time2yr:
      start = year % 2 != 0 ? year - 1 : year;
      length = 2;
      break;
    case temporal_aggregation_type::Time5yr:
      start = year - year % 5;
      length = 5;
      break;
    case temporal_aggregation_type::Time10yr:
      start = year - year % 10;
      length = 10;
      break;
    default:
      error(
          "time unit in procedure set_basecase_startyear was not recognized by the procedure.  "
          "notify programmer.  Program continues, but output years may be off.",
          1, noncritical);
      return;
  }
  current.year = start;
  current.period_start = start;
  current.period_end = std::min(start + length - 1, last_year);
}

}  // namespace tandrel
