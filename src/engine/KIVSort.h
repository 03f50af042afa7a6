#pragma once

// TKIV_Sort_Obj: turns the group-years of a run into its ordered output
// cases: one record per group-year, records the selections exclude blanked,
// sorted by the unit of analysis and then by year, and consecutive records
// of one unit and one period numbered with one case number.

#include <cstdint>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

class TKIV_array_obj;
class Tgroup_index_obj;
class Tuser_data_set_listing_obj;
class Ttrace_obj;

struct sort_record {
  std::int32_t year = 0;
  std::int32_t numcode = 0;
  std::int32_t ccode = 0;
  std::uint8_t region = 0;
  std::int32_t diaspora = 0;
  std::int32_t case_number = 0;
  std::int32_t period_start = 0;
  std::int32_t period_end = 0;
};

using KIV_sort_data_array_type = std::vector<sort_record>;

// The record of a group-year the user's choice excludes, with the missing
// codes of the description as keys.
sort_record blank_template(const Tuser_data_set_listing_obj& description,
                           const Tregion_list_info_obj& regions);

class TKIV_Sort_Obj {
 public:
  // Copies one record per group-year of first..last from `data`; `last_year`
  // caps the end of every period.
  TKIV_Sort_Obj(const TKIV_array_obj& data, const Tgroup_index_obj& groups, int first_year,
                int last_year);
  ~TKIV_Sort_Obj();

  // Chooses, sorts and numbers the records for the unit and period.
  void set_output_cases(const user_selection_type& selections);

  std::int32_t last_record_index() const { return last_record_index_; }
  std::int32_t last_case_number() const { return last_case_number_; }
  const sort_record& get_record(std::int32_t index) const { return records_[index]; }
  bool has_merged_cases() const { return has_merged_cases_; }
  bool record_is_blank(std::int32_t index) const;
  bool initialized() const { return initialized_; }
  const KIV_sort_data_array_type& records() const { return records_; }

 private:
  // The three stages of set_output_cases.
  void choose_cases(const user_selection_type& selections, Ttrace_obj& progress);
  void sort_cases(physical_aggregation_type physical, Ttrace_obj& progress);
  void merge_cases(physical_aggregation_type physical, temporal_aggregation_type temporal,
                   Ttrace_obj& progress);

  const Tuser_data_set_listing_obj* description_;
  bool initialized_ = false;
  bool has_merged_cases_ = false;
  std::uint16_t last_year_;
  KIV_sort_data_array_type records_;
  std::int32_t last_case_number_ = 0;
  std::int32_t last_record_index_ = -1;
  sort_record blank_;
};

// The rules of case forming, exposed for tests and the data line writer.
bool want_case(const sort_record& record, const user_selection_type& selections);
bool same_group(const sort_record& current, const sort_record& record,
                physical_aggregation_type physical, temporal_aggregation_type temporal);
void set_basecase_startyear(sort_record& current, temporal_aggregation_type temporal,
                            int last_year);

}  // namespace tandrel
