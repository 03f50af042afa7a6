#pragma once

// The rule that decides whether the user wants a sort record, written once
// over any way of looking up the selections' subset lists: want_case scans
// the lists, Tcase_chooser_obj builds tables to choose among many records.

#include <bitset>
#include <cstdint>

#include "diagnostics/Error.h"
#include "engine/KIVSort.h"

namespace tandrel {

template <typename Lists>
bool want_case_with(const sort_record& r, const user_selection_type& s, const Lists& lists) {
  const bool control_case = r.numcode % 100 == 0;
  const bool all_controls = control_case && s.include_nonkiv_states && s.all_nonkiv_states;
  bool wanted = false;
  switch (s.physical_aggregation) {
    case physical_aggregation_type::PhysGroup:
      wanted = all_controls || lists.group(r.numcode) ||
               (control_case && lists.nonkiv_state(r.numcode / 100));
      break;
    case physical_aggregation_type::PhysState:
      wanted = all_controls || lists.state(r.ccode) || lists.nonkiv_state(r.ccode);
      break;
    case physical_aggregation_type::PhysRegion:
      wanted = lists.region(r.region);
      break;
    case physical_aggregation_type::PhysGlobe:
      wanted = true;
      break;
    case physical_aggregation_type::PhysDiaspora:
      wanted = lists.diaspora(r.diaspora);
      break;
    default:
      error(
          "Called \"want_case\" function inside KIV_Data.init without a physical aggregation "
          "method being set.",
          1, critical);
      return false;
  }
  return wanted && s.first_year <= r.year && r.year <= s.last_year;
}

// The subset lists of one selections record as membership tables.
class Tcase_chooser_obj {
 public:
  explicit Tcase_chooser_obj(const user_selection_type& selections);

  bool wanted(const sort_record& r) const { return want_case_with(r, selections_, *this); }

  bool group(std::int32_t numcode) const { return member(groups_, numcode + 1); }
  bool nonkiv_state(std::int32_t ccode) const { return member(nonkiv_states_, ccode + 1); }
  bool state(std::int32_t ccode) const { return member(states_, ccode + 1); }
  bool region(std::uint8_t region) const { return regions_[region]; }
  bool diaspora(std::int32_t diaspora) const { return member(diasporas_, diaspora + 99); }

 private:
  template <std::size_t N>
  static bool member(const std::bitset<N>& table, std::int64_t index) {
    return index >= 0 && index < static_cast<std::int64_t>(N) &&
           table[static_cast<std::size_t>(index)];
  }

  const user_selection_type& selections_;
  std::bitset<100001> groups_;       // numcodes -1..99999
  std::bitset<1002> nonkiv_states_;  // ccodes -1..1000
  std::bitset<1002> states_;         // ccodes -1..1000
  std::bitset<256> regions_;         // region values
  std::bitset<1100> diasporas_;      // diaspora codes -99..1000
};

}  // namespace tandrel
