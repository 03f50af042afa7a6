#pragma once

// KIVLineReader: reads one line of the KIV data file into a row of the typed
// columns, converting every field by its variable's type straight into its
// column. Bad fields are reported and replaced; they never stop the loading.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/TaggedValue.h"
#include "reference/Regions.h"

namespace tandrel {

class ColumnStore;
class KIVFieldSource;
class TextReader;
class Tuser_data_set_listing_obj;

class KIVLineReader {
 public:
  struct Line {
    bool failed = false;
    std::int32_t numcode = 0;
    std::int32_t year = 0;
    // The year lies outside the kept years: the fields after it were
    // checked, and reported as on any line, but not stored.
    bool skipped = false;
  };

  // Plans the columns of data set `ds`: the first number_of_variables -
  // added_variable_count variables have a column in the file; column_map
  // gives each its row position or -1. `regions` must outlive the reader.
  KIVLineReader(const Tuser_data_set_listing_obj& description, int ds,
                const std::vector<std::int32_t>& column_map, std::size_t column_count,
                std::int32_t added_variable_count, const Tregion_list_info_obj& regions);

  // Reads the current line of `file` into row `row` of `store` (column_count
  // columns) and skips the rest of the line. Positions no field fills are
  // left as they are.
  Line read_line(TextReader& file, ColumnStore& store, std::int32_t row);

  // From now on a line whose year lies outside first..last is only checked
  // after its year is read: most lines of a large file are dropped that way
  // without converting or storing their values, yet every bad field or
  // short line is reported as before.
  void keep_years(int first, int last) {
    first_kept_year_ = first;
    last_kept_year_ = last;
  }

 private:
  enum class Kind : std::uint8_t { Integer, Real, Text };
  // The last few texts a column read, so that a repeated text is found
  // without the pool's hashing.
  class RecentTexts {
   public:
    const std::string* get(std::string_view text);

   private:
    std::array<const std::string*, 4> pooled_{};
    std::size_t next_ = 0;
  };
  struct Column {
    std::int32_t position = -1;
    Kind kind = Kind::Text;
    std::int32_t missing = 0;
    bool critical = false;
    bool region = false;
    bool numcode = false;
    bool year = false;
    std::string name;
    RecentTexts texts;
  };

  bool kept_year(std::int32_t year) const;
  static bool converts_quietly(const Column& column, std::string_view text);
  bool rest_converts_quietly(std::string_view rest, std::size_t first) const;
  void read_fields(KIVFieldSource& fields, ColumnStore& store, std::int32_t row, Line& line);
  void store_field(Column& column, std::string_view text, std::size_t variable, ColumnStore& store,
                   std::size_t row);
  TaggedValue field_value(Column& column, std::string_view text, std::size_t variable);
  TaggedValue convert(Column& column, std::string_view text, std::size_t variable);
  void report_blank_critical(const Column& column) const;
  void report_conversion(std::string_view text, std::size_t variable) const;
  TaggedValue region_value(const Column& column, const TaggedValue& value) const;
  void report_short_line() const;
  void report_element_count(int stored) const;

  std::vector<Column> columns_;
  std::size_t column_count_;
  // Columns of the file that are selected: what a whole line stores.
  int selected_in_file_ = 0;
  // What the sweep over a dropped line checks in each column, one byte a
  // column so that the sweep stays in the cache.
  static constexpr std::uint8_t kSweepNumber = 1, kSweepReal = 2, kSweepCritical = 4;
  std::vector<std::uint8_t> sweep_;
  std::int32_t added_variable_count_;
  const Tregion_list_info_obj* regions_;
  std::string file_name_;
  std::string spill_;
  int first_kept_year_ = -1;
  int last_kept_year_ = -1;
};

}  // namespace tandrel
