#pragma once

// TKIV_array_obj: the values of the selected variables for every group-year
// of the KIV data set that falls in a run's years, filed by year and group
// slot. Each group-year is a row of a ColumnStore, whose columns hold each
// variable by its type; every value read comes back as the tagged value
// stored. Reading a value that is not in memory (absent group-year, year
// outside the partition, variable not selected) is never an error: it yields
// the variable's missing code.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/ColumnStore.h"
#include "engine/KIVLineReader.h"
#include "engine/TaggedValue.h"
#include "process/ConfigurationType.h"
#include "reference/ReferenceData.h"
#include "reference/Selections.h"

namespace tandrel {

class Tgroup_index_obj;
class Tuser_data_set_listing_obj;
class Ttrace_obj;
class TextReader;
struct sort_record;

inline constexpr int kGroupSlots = 1002;  // slots -1..1000

class TKIV_array_obj {
 public:
  // Reads the data file of data set `ds` for the years first..last (cut to
  // the data set's years), keeping the variables of
  // selections.variable_selections. The description, configuration,
  // selections and reference data must outlive the object.
  TKIV_array_obj(const Tuser_data_set_listing_obj& description,
                 const configuration_type& configuration, int ds, int first_year, int last_year,
                 const user_selection_type& selections, const ReferenceData& reference);
  // The group-years of `keys` (an array that holds the identifier columns)
  // for the years first..last, cut as the data file would be, with the
  // columns of selections.variable_selections that `keys` holds; no file
  // is read. For counting what a run would write.
  TKIV_array_obj(const TKIV_array_obj& keys, int first_year, int last_year,
                 const user_selection_type& selections, const ReferenceData& reference);
  ~TKIV_array_obj();
  TKIV_array_obj(const TKIV_array_obj&) = delete;
  TKIV_array_obj& operator=(const TKIV_array_obj&) = delete;

  // Data files of at least this many bytes are read on two threads, the
  // second half ahead on a helper (tests lower it to exercise that path).
  static inline std::int64_t read_ahead_min_bytes = 8 << 20;

  bool is_initialized() const { return initialized_; }
  std::uint16_t get_first_partition_year() const { return first_partition_year_; }
  std::uint16_t get_last_partition_year() const { return last_partition_year_; }
  // Description variable number -> position in every value array, or -1.
  const std::vector<std::int32_t>& column_map() const { return column_map_; }
  std::size_t column_count() const { return column_count_; }
  // The bytes the values and the year table take.
  std::size_t held_bytes() const;

  // Creates or resets the group-year: every position holds the missing code
  // of its variable (32-bit), the "region" position the 8-bit value 0. The
  // year must lie in the partition.
  void init_group_year(int year, std::int32_t numcode);

  bool group_year_exists(std::int32_t numcode, int year) const;
  bool variable_selected(std::int32_t variable) const;
  bool value_available(std::int32_t variable, int year, std::int32_t numcode) const;
  // The value at a column position; empty (after a report) when the
  // group-year or the position does not exist.
  TaggedValue sub_get(std::int32_t position, std::int32_t numcode, int year) const;
  // The row of the group-year, or -1 when get_group_value would give missing
  // codes for it: not initialized, year outside the partition, or no such
  // group-year. For the writers, which read every value of a case.
  std::int32_t group_year_row(std::int32_t numcode, int year) const;
  // The value at a column position of a row group_year_row gave.
  TaggedValue value_at(std::int32_t row, std::int32_t position) const {
    return store_.get(row, static_cast<std::size_t>(position));
  }
  // The typed column at a position, for reading it down a case's rows.
  const TypedColumn& column(std::int32_t position) const {
    return store_.column(static_cast<std::size_t>(position));
  }
  TaggedValue get_group_value(int ds, std::int32_t variable, int year, std::int32_t numcode) const;
  // Stores `value` when it is available. A variable the user did not select
  // is silently dropped; any other value out of range is reported and dropped.
  void set_group_value(int ds, std::int32_t variable, const TaggedValue& value, int year,
                       std::int32_t numcode);
  bool state_has_group_year(std::int32_t ccode, int year) const;
  // Whether the group index holds a group of sequence number 1..99 in the state.
  bool state_has_kiv_groups(std::int32_t ccode) const;

  // One record per existing group-year of first..last, by year then numcode.
  std::vector<sort_record> copy_sort_records(int first_year, int last_year) const;

  // Fills, for every group and selected variable, the years strictly between
  // two observed years, creating the group-years that did not exist.
  void interpolate(const Tuser_data_set_listing_obj& description,
                   const user_selection_type& selections);
  // Whether `value` counts as no observation of `variable`: region 0 or its
  // code; a 32-bit integer or a (rounded) real equal to the code.
  static bool value_is_missing(std::int32_t variable, std::int32_t region_variable,
                               const TaggedValue& value, std::int32_t missing_code);
  // Gives every year inside a group's series that has no line a case with the
  // group's identifiers and every other variable missing.
  void add_missing_in_series(const Tuser_data_set_listing_obj& description,
                             const user_selection_type& selections);
  // Adds a control case (numcode ccode x 100) for every state-year of a state
  // without KIV groups, and its control group to the group index.
  void add_missing_nonkiv(const Tuser_data_set_listing_obj& description,
                          const user_selection_type& selections);
  // is_kiv := 0 in control cases, 1 in every other group-year.
  void set_kiv_flags(const Tuser_data_set_listing_obj& description, Tgroup_index_obj& groups);

  const Tuser_data_set_listing_obj& description() const { return *description_; }
  const user_selection_type& selections() const { return *selections_; }
  Tgroup_index_obj& groups() const { return reference_.groups; }
  const ReferenceData& reference() const { return reference_; }

 private:
  struct YearBlock {
    YearBlock() { rows.fill(-1); }
    std::array<std::int32_t, kGroupSlots> rows;  // index slot + 1; -1: none
  };

  // Loading, in the order the constructor runs it.
  void construct(int first_year, int last_year);
  void build_column_map();
  bool decide_partition(int first_year, int last_year);
  void allocate_year_blocks();
  void read_data_file(Ttrace_obj& progress);
  struct LineTally {
    std::int32_t cases;  // the description's number of cases: the progress total
    std::int32_t lines_read;
  };
  void read_lines(TextReader& file, std::int64_t split, Ttrace_obj& progress);
  bool take_line(const KIVLineReader::Line& line, std::int32_t row, LineTally& tally,
                 Ttrace_obj& progress);
  // A row to read a line into: the one a dropped or replaced line left, or a new one.
  std::int32_t free_row();
  bool file_line(std::int32_t row, std::int32_t numcode);
  std::vector<bool> wide_columns() const;
  void check_case_count(std::int32_t lines_read) const;
  void copy_key_rows(const TKIV_array_obj& keys);

  std::int16_t slot(std::int32_t numcode) const;
  YearBlock* block(int year) const;
  // The row of the group-year, -1 when it does not exist.
  std::int32_t row(std::int32_t numcode, int year) const;
  // The missing code of a variable; false for a variable the description
  // does not have.
  bool missing_code(int ds, std::int32_t variable, std::int32_t& code) const;
  bool in_partition(int year) const {
    return year >= first_partition_year_ && year <= last_partition_year_;
  }
  bool sub_get_into(std::int32_t position, std::int32_t numcode, int year,
                    TaggedValue& result) const;

  // The filling steps.
  struct FillColumn;
  struct KeyVariables;
  // The rows of `numcode` for the partition's years, -1 where the group-year
  // does not exist; index year - first partition year.
  void series_rows(std::int32_t numcode, std::vector<std::int32_t>& rows) const;
  void interpolate_group(std::int32_t numcode, std::vector<std::int32_t>& rows,
                         std::vector<FillColumn>& columns);
  void fill_gap(std::int32_t numcode, std::vector<std::int32_t>& rows, FillColumn& column, int a,
                int b);
  void add_series_gaps(std::int32_t numcode, const KeyVariables& keys);
  void fill_series_year(std::int32_t numcode, int source_year, int year, const KeyVariables& keys);
  bool wants_control_case(std::int32_t ccode, int year) const;
  bool add_control_case(std::int32_t ccode, int year, const KeyVariables& keys);

  const Tuser_data_set_listing_obj* description_;
  const configuration_type* configuration_;
  const user_selection_type* selections_;
  ReferenceData reference_;
  Tgroup_index_obj* groups_;
  int ds_;
  std::int32_t year_variable_ = -1;
  std::int32_t ccode_variable_ = -1;
  bool initialized_ = false;
  std::uint16_t first_partition_year_ = 1800;
  std::uint16_t last_partition_year_ = 1800;
  std::vector<std::int32_t> column_map_;
  std::size_t column_count_ = 0;
  // Missing code of every description variable, and the values a created
  // group-year starts with.
  std::vector<std::int32_t> missing_codes_;
  std::vector<TaggedValue> initial_row_;
  ColumnStore store_;
  std::int32_t spare_row_ = -1;  // a row to reuse, its cells left as they were
  std::array<std::unique_ptr<YearBlock>, 226> year_blocks_;  // years 1800..2025
};

}  // namespace tandrel
