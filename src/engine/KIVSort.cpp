// The sort object: chooses the wanted records, orders them by unit and year
// and numbers the output cases.

#include <memory>

#include "diagnostics/Trace.h"
#include "engine/KIVArray.h"
#include "engine/KIVCaseRules.h"
#include "engine/KIVSort.h"
#include "process/Globals.h"

namespace tandrel {

namespace {

// Key comparisons of the sort. The globe has no key: every comparison holds.
struct UnitKey {
  physical_aggregation_type physical;

  std::int64_t key(const sort_record& r) const {
    switch (physical) {
      case physical_aggregation_type::PhysGroup:
        return r.numcode;
      case physical_aggregation_type::PhysState:
        return r.ccode;
      case physical_aggregation_type::PhysRegion:
        return r.region;
      case physical_aggregation_type::PhysDiaspora:
        return r.diaspora;
      default:
        return 0;
    }
  }
  bool keyless() const {
    return physical != physical_aggregation_type::PhysGroup &&
           physical != physical_aggregation_type::PhysState &&
           physical != physical_aggregation_type::PhysRegion &&
           physical != physical_aggregation_type::PhysDiaspora;
  }
  bool at_least(const sort_record& r, const sort_record& pivot) const {
    return keyless() || key(r) >= key(pivot);
  }
  bool at_most(const sort_record& r, const sort_record& pivot) const {
    return keyless() || key(r) <= key(pivot);
  }
  bool same(const sort_record& a, const sort_record& b) const {
    return keyless() || key(a) == key(b);
  }
};

struct YearKey {
  bool at_least(const sort_record& r, const sort_record& pivot) const {
    return r.year >= pivot.year;
  }
  bool at_most(const sort_record& r, const sort_record& pivot) const {
    return r.year <= pivot.year;
  }
};

// Splits l..r around the last record as pivot and returns the pivot's final
// place. The order of equal keys is part of the output, so the scans and
// exchanges are exactly these.
template <typename Key>
std::int64_t partition(KIV_sort_data_array_type& a, std::int64_t l, std::int64_t r,
                       const Key& key) {
  const sort_record pivot = a[static_cast<std::size_t>(r)];
  std::int64_t i = l - 1;
  std::int64_t j = r;
  sort_record t;
  auto at = [&a](std::int64_t k) -> sort_record& { return a[static_cast<std::size_t>(k)]; };
  do {
    do ++i;
    while (!key.at_least(at(i), pivot));
    do --j;
    while (!(key.at_most(at(j), pivot) || j == l));
    t = at(i);
    at(i) = at(j);
    at(j) = t;
  } while (j > i);
  at(j) = at(i);
  at(i) = at(r);
  at(r) = t;
  return i;
}

// Quicksort of l..r. The two sides of a partition are disjoint, so sorting
// the smaller one first by recursion and the larger one in the loop gives
// the same result while bounding the stack.
template <typename Key>
void quick_sort(KIV_sort_data_array_type& a, std::int64_t l, std::int64_t r, const Key& key) {
  while (r > l) {
    const std::int64_t i = partition(a, l, r, key);
    if (i - l < r - i) {
      quick_sort(a, l, i - 1, key);
      l = i + 1;
    } else {
      quick_sort(a, i + 1, r, key);
      r = i - 1;
    }
  }
}

}  // namespace

TKIV_Sort_Obj::TKIV_Sort_Obj(const TKIV_array_obj& data, const Tgroup_index_obj& /*groups*/,
                             int first_year, int last_year)
    : description_(&data.description()),
      last_year_(static_cast<std::uint16_t>(last_year)),
      records_(data.copy_sort_records(first_year, last_year)),
      blank_(blank_template(data.description(), data.reference().regions)) {
  initialized_ = true;
}

TKIV_Sort_Obj::~TKIV_Sort_Obj() = default;

bool TKIV_Sort_Obj::record_is_blank(std::int32_t index) const {
  const sort_record& r = records_[static_cast<std::size_t>(index)];
  return r.numcode == blank_.numcode || r.year == blank_.year || r.ccode == blank_.ccode;
}

void TKIV_Sort_Obj::set_output_cases(const user_selection_type& selections) {
  auto process_trace = std::make_unique<Ttrace_obj>(
      trace().GetLevel(), "Initializing \"process_trace\" in sort/set output cases");
  choose_cases(selections, *process_trace);
  sort_cases(selections.physical_aggregation, *process_trace);
  merge_cases(selections.physical_aggregation, selections.temporal_aggregation, *process_trace);
  last_record_index_ = static_cast<std::int32_t>(records_.size()) - 1;
}

void TKIV_Sort_Obj::choose_cases(const user_selection_type& selections, Ttrace_obj& progress) {
  const Tcase_chooser_obj chooser(selections);
  const int total = static_cast<int>(records_.size()) - 1;
  for (std::size_t n = 0; n < records_.size(); ++n) {
    sort_record& r = records_[n];
    if (!record_is_blank(static_cast<std::int32_t>(n)) && !chooser.wanted(r)) {
      r.year = blank_.year;
      r.numcode = blank_.numcode;
      r.ccode = blank_.ccode;
      r.region = blank_.region;
      r.diaspora = blank_.diaspora;
      r.case_number = 0;
    }
    progress.Tick("Choosing cases for inclusion in output file", total);
  }
  progress.TickDone();
}

void TKIV_Sort_Obj::sort_cases(physical_aggregation_type physical, Ttrace_obj& progress) {
  const UnitKey unit{physical};
  const auto last = static_cast<std::int64_t>(records_.size()) - 1;
  quick_sort(records_, 0, last, unit);
  const int total = static_cast<int>(last);
  std::int64_t start = 0;
  while (start <= last) {
    std::int64_t end = start;
    while (end < last && unit.same(records_[static_cast<std::size_t>(end + 1)],
                                   records_[static_cast<std::size_t>(start)]))
      ++end;
    quick_sort(records_, start, end, YearKey{});
    progress.Tick("Sorting group data", total);
    start = end + 1;
  }
  progress.TickDone();
}

void TKIV_Sort_Obj::merge_cases(physical_aggregation_type physical,
                                temporal_aggregation_type temporal, Ttrace_obj& progress) {
  has_merged_cases_ = false;
  last_case_number_ = 0;
  if (records_.empty()) return;
  const int total = static_cast<int>(records_.size()) - 1;
  std::int32_t case_number = 0;
  sort_record current = records_[0];
  set_basecase_startyear(current, temporal, last_year_);
  records_[0].case_number = 0;
  records_[0].period_start = current.period_start;
  records_[0].period_end = current.period_end;
  for (std::size_t j = 1; j < records_.size(); ++j) {
    progress.Tick("Merging cases for output data set", total);
    sort_record& r = records_[j];
    if (same_group(current, r, physical, temporal)) {
      r.case_number = case_number;
      if (!record_is_blank(static_cast<std::int32_t>(j))) has_merged_cases_ = true;
    } else {
      r.case_number = ++case_number;
      current = r;
      set_basecase_startyear(current, temporal, last_year_);
    }
    r.period_start = current.period_start;
    r.period_end = current.period_end;
  }
  progress.TickDone();
  last_case_number_ = case_number;
}

}  // namespace tandrel
