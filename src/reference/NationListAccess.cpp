#include <algorithm>

#include "diagnostics/Error.h"
#include "process/Bounded.h"
#include "process/Globals.h"
#include "reference/CcodeIndex.h"
#include "reference/NationList.h"

namespace tandrel {

bool Tnation_array_obj::check_initialized(const char* message) const {
  if (initialized_) return true;
  error(message, 5, noncritical);
  return false;
}

const Tnationdat_obj& Tnation_array_obj::record(std::int32_t code) const {
  const Tccode_index_obj* index = index_;
  std::int16_t number = index != nullptr && index->initialized() ? index->index(code) : -1;
  return *nations_[static_cast<std::size_t>(number + 1)];
}

bool Tnation_array_obj::have_info(std::int32_t code) const {
  if (!check_initialized("Error - nation_array have_info called before initializtion"))
    return false;
  // The record must be the code's own: a code the index knows but the list
  // did not hold answers from a placeholder.
  return code != -1 && record(code).ccode == code;
}

std::string Tnation_array_obj::get_fullname(std::int32_t code) const {
  if (!check_initialized("Error - nation_array get_fullname called before initialization"))
    return {};
  return record(code).fullname;
}

kiv_region_type Tnation_array_obj::get_home_region(std::int32_t code) const {
  if (code == 0) return kiv_region_type::KivRegNone;
  if (!check_initialized("Error - nation_array get_home_region called before initialization"))
    return kiv_region_type::KivRegNone;
  return record(code).home_region;
}

std::int16_t Tnation_array_obj::get_startyear1(std::int32_t code) const {
  if (!check_initialized("Error - nation_array get_startyear1 called before initializtion"))
    return 0;
  return record(code).period1.start_year;
}

std::int16_t Tnation_array_obj::get_endyear1(std::int32_t code) const {
  if (!check_initialized("Error - nation_array get_endyear1 called before initializtion")) return 0;
  return record(code).period1.end_year;
}

std::int16_t Tnation_array_obj::get_startyear2(std::int32_t code) const {
  if (!check_initialized("Error - nation_array get_startyear2 called before initializtion"))
    return 0;
  return record(code).period2.start_year;
}

std::int16_t Tnation_array_obj::get_endyear2(std::int32_t code) const {
  if (!check_initialized("Error - nation_array get_endyear2 called before initializtion")) return 0;
  return record(code).period2.end_year;
}

bool Tnation_array_obj::is_a_state(std::int32_t code, std::int32_t year) const {
  if (code == 0) return false;
  if (!check_initialized("Error - nation_array is_a_state called before initialization"))
    return false;
  if (!ccode_range::in_range(code) || !year_type::in_range(year)) return false;
  return state_matrix_[static_cast<std::size_t>(code + 1)]
                      [static_cast<std::size_t>(year - kFirstEngineYear)];
}

namespace {

// The period shares at least one year with first..last (first <= last).
bool overlaps(const DatePeriod& period, std::int32_t first, std::int32_t last) {
  auto within = [](std::int32_t y, std::int32_t lo, std::int32_t hi) { return lo <= y && y <= hi; };
  return within(period.start_year, first, last) || within(period.end_year, first, last) ||
         within(first, period.start_year, period.end_year) ||
         within(last, period.start_year, period.end_year);
}

}  // namespace

bool Tnation_array_obj::is_a_state_between(std::int32_t code, std::int32_t year1,
                                           std::int32_t year2) const {
  if (code == 0) return false;
  if (!check_initialized("Error - nation_array is_a_state_between called before initializtion"))
    return false;
  if (!have_info(code)) return false;
  std::int32_t first = std::min(year1, year2);
  std::int32_t last = std::max(year1, year2);
  const Tnationdat_obj& nation = record(code);
  return overlaps(nation.period1, first, last) || overlaps(nation.period2, first, last);
}

std::int32_t Tnation_array_obj::get_ccode_from_name(const std::string& name) const {
  // One report, not one per code tried.
  if (!check_initialized("Error - nation_array have_info called before initializtion")) return 0;
  for (std::int32_t code = -1; code <= ccode_range::kMax; ++code)
    if (have_info(code) && record(code).fullname == name) return code;
  return 0;
}

}  // namespace tandrel
