// Construction of the group-year data array: the column map, the partition
// of years held in memory, and the reading of the KIV data file.

#include <algorithm>
#include <stdexcept>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "engine/KIVArray.h"
#include "engine/KIVLineReader.h"
#include "engine/KIVReadAhead.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/TextReader.h"

namespace tandrel {

namespace {

std::string year_text(int year) {
  return std::to_string(year);
}

bool engine_year(int year) {
  return year >= kFirstEngineYear && year <= kLastEngineYear;
}

// The column position of an identifier the loader cannot work without.
std::int32_t required_position(const std::vector<std::int32_t>& column_map, std::int32_t variable,
                               const char* name) {
  if (variable < 0 || static_cast<std::size_t>(variable) >= column_map.size() ||
      column_map[static_cast<std::size_t>(variable)] < 0)
    throw std::logic_error(std::string("The variable ") + name +
                           " is not among the selected columns");
  return column_map[static_cast<std::size_t>(variable)];
}

}  // namespace

TKIV_array_obj::TKIV_array_obj(const Tuser_data_set_listing_obj& description,
                               const configuration_type& configuration, int ds, int first_year,
                               int last_year, const user_selection_type& selections,
                               const ReferenceData& reference)
    : description_(&description),
      configuration_(&configuration),
      selections_(&selections),
      reference_(reference),
      groups_(&reference.groups),
      ds_(ds) {
  try {
    construct(first_year, last_year);
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const EInOutError& e) {
    // A refused input says which file and line; the report below does not.
    if (dynamic_cast<const EInputRefused*>(&e) != nullptr) error(e.what(), 1, noncritical);
    error("Error opening or processing file \"" + description.get_data_file_name(ds) +
              "\"File could not be opened for input, or other I/O error.File may be in use by "
              "another program, may be missing, or may be incomplete.",
          3, critical);
    throw;
  } catch (const std::exception&) {
    error("Other error in generic data processing - pausing - notify programmer", 5, noncritical);
  }
}

TKIV_array_obj::~TKIV_array_obj() {
  for (auto& year_block : year_blocks_) year_block.reset();
  initialized_ = false;
}

void TKIV_array_obj::construct(int first_year, int last_year) {
  year_variable_ = description_->get_var_number(ds_, "year");
  ccode_variable_ = description_->get_var_number(ds_, "ccode");
  if (!groups_->initialized())
    error(
        "Error -- group index not initialized before reading KIV data.  Programming error - "
        "notify programmer.",
        3, critical);
  trace().Enter("Initializing KIV data, " + year_text(first_year) + " to " + year_text(last_year) +
                " from KIV data set, numbered " + std::to_string(ds_));
  auto progress =
      std::make_unique<Ttrace_obj>(trace().GetLevel(), "Initializing \"generic_trace\" ");
  try {
    build_column_map();
    if (decide_partition(first_year, last_year)) {
      progress->Message("Initializing KIV data structure ");
      allocate_year_blocks();
      read_data_file(*progress);
    }
  } catch (const std::exception&) {
    progress.reset();
    trace().Exit("Finished initialization");
    throw;
  }
  progress.reset();
  trace().Exit("Finished initialization");
}

void TKIV_array_obj::build_column_map() {
  const std::int32_t variables = std::max(description_->get_number_of_variables(ds_), 0);
  const auto& columns = selections_->variable_selections.variable_columns;
  column_map_.assign(static_cast<std::size_t>(variables), -1);
  column_count_ = columns.size();
  for (std::size_t p = 0; p < columns.size(); ++p)
    if (columns[p] >= 0 && columns[p] < variables)
      column_map_[static_cast<std::size_t>(columns[p])] = static_cast<std::int32_t>(p);

  missing_codes_.resize(static_cast<std::size_t>(variables));
  for (std::int32_t v = 0; v < variables; ++v)
    missing_codes_[static_cast<std::size_t>(v)] = description_->get_var_missing_value(ds_, v);
  initial_row_.assign(column_count_, TaggedValue());
  for (std::size_t p = 0; p < columns.size(); ++p)
    if (columns[p] >= 0 && columns[p] < variables)
      initial_row_[p] = TaggedValue::int32(missing_codes_[static_cast<std::size_t>(columns[p])]);
  const std::int32_t region = description_->find_var_number(ds_, "region");
  if (variable_selected(region))
    initial_row_[static_cast<std::size_t>(column_map_[static_cast<std::size_t>(region)])] =
        TaggedValue::uint8(0);
  store_ = ColumnStore(wide_columns());
}

// Reals and texts take the wide layout of a column from the start; integers
// (and the added variables, which no field fills) the narrow one.
std::vector<bool> TKIV_array_obj::wide_columns() const {
  const auto& columns = selections_->variable_selections.variable_columns;
  std::vector<bool> wide(columns.size(), false);
  const auto variables = static_cast<std::int32_t>(missing_codes_.size());
  for (std::size_t p = 0; p < columns.size(); ++p)
    if (columns[p] >= 0 && columns[p] < variables)
      wide[p] = description_->get_var_type(ds_, columns[p]) != kVarTypeInteger;
  return wide;
}

// Cuts the requested years to the data set's. Returns false, leaving the
// nil structure, when nothing is to be read.
bool TKIV_array_obj::decide_partition(int first_year, int last_year) {
  const int data_first = description_->get_first_year_possible(ds_);
  const int data_last = description_->get_last_year_possible(ds_);
  first_partition_year_ = last_partition_year_ = kFirstEngineYear;
  if (!engine_year(first_year) || !engine_year(last_year) || !engine_year(data_first) ||
      !engine_year(data_last)) {
    // The year table has room for 1800..2025 only.
    error("The years asked for (" + year_text(first_year) + " to " + year_text(last_year) +
              ") or the years of the KIV data set (" + year_text(data_first) + " to " +
              year_text(data_last) +
              ") lie outside 1800 to 2025, the years Tandrel can hold.  No KIV data will be read; "
              "check the chosen years and the .mdf file.",
          3, noncritical);
    initialized_ = true;
    trace().Message(
        "Finished initializing KIV data to nil structure because dates were out of range.");
    return false;
  }
  const bool overlaps = (data_first <= first_year && first_year <= data_last) ||
                        (data_first <= last_year && last_year <= data_last) ||
                        (first_year <= data_first && data_last <= last_year);
  if (!overlaps) {
    initialized_ = true;
    trace().Message(
        "Finished initializing KIV data to nil structure because dates were out of range.");
    return false;
  }
  first_partition_year_ = static_cast<std::uint16_t>(std::max(first_year, data_first));
  last_partition_year_ = static_cast<std::uint16_t>(std::min(last_year, data_last));
  return true;
}

void TKIV_array_obj::allocate_year_blocks() {
  for (int year = kFirstEngineYear; year <= kLastEngineYear; ++year)
    if (in_partition(year))
      year_blocks_[static_cast<std::size_t>(year - kFirstEngineYear)] =
          std::make_unique<YearBlock>();
}

void TKIV_array_obj::read_data_file(Ttrace_obj& progress) {
  const std::string& file_name = description_->get_data_file_name(ds_);
  progress.Message("Reading data from external file " + file_name + " from " +
                   year_text(first_partition_year_) + " to " + year_text(last_partition_year_));
  // A large file is split: the main thread reads up to `split`, a helper the rest.
  std::int64_t split = read_ahead_split(file_name, read_ahead_min_bytes);
  TextReader file = TextReader::open_file(file_name, 0, split > 0 ? split : -1);
  if (description_->get_label_line(ds_)) file.readln();
  if (split > 0 && file.eof()) {
    // The label line reached past the split: read the file in one piece.
    split = 0;
    file = TextReader::open_file(file_name);
    if (description_->get_label_line(ds_)) file.readln();
  }
  read_lines(file, split, progress);
  file.close();
  progress.TickDone();
  trace().Message("Finished initializing generic group data to data from KIV file " + file_name);
}

void TKIV_array_obj::read_lines(TextReader& file, std::int64_t split, Ttrace_obj& progress) {
  const Tregion_list_info_obj& regions = reference_.regions;
  KIVLineReader reader(*description_, ds_, column_map_, column_count_,
                       configuration_->added_variable_count, regions);
  reader.keep_years(first_partition_year_, last_partition_year_);
  std::unique_ptr<KIVReadAhead> ahead;
  if (split > 0)
    ahead = std::make_unique<KIVReadAhead>(description_->get_data_file_name(ds_), split, reader,
                                           wide_columns(),
                                           [this](int year) { return in_partition(year); });
  LineTally tally{description_->get_number_of_cases(ds_), 0};
  auto read_into_row = [&](TextReader& source) {
    const std::int32_t row = free_row();
    if (!take_line(reader.read_line(source, store_, row), row, tally, progress)) spare_row_ = row;
  };
  while (!file.at_end_of_records()) read_into_row(file);
  if (ahead) {
    std::vector<KIVReadAhead::Prepared> lines = ahead->take();
    // The helper's rows join the array's as they are, after its own.
    const std::int32_t base = store_.append(std::move(ahead->store()));
    for (KIVReadAhead::Prepared& prepared : lines) {
      if (prepared.redo) {
        TextReader one = TextReader::over(prepared.text);
        read_into_row(one);
      } else if (prepared.row >= 0) {
        take_line(prepared.line, base + prepared.row, tally, progress);
      } else {
        take_line(prepared.line, -1, tally, progress);
      }
    }
  }
  initialized_ = true;
  check_case_count(tally.lines_read);
}

// Counts a line read and files its values, taking `row`, when its year is
// one to keep and its state exists then. Returns whether it was filed.
bool TKIV_array_obj::take_line(const KIVLineReader::Line& line, std::int32_t row, LineTally& tally,
                               Ttrace_obj& progress) {
  if (line.failed) return false;
  ++tally.lines_read;
  progress.Tick("reading KIV data file", tally.cases);
  return in_partition(line.year) && row >= 0 && file_line(row, line.numcode);
}

std::int32_t TKIV_array_obj::free_row() {
  if (spare_row_ < 0) return store_.add_row();
  // The spare row is not cleared: every line writes every column of the
  // file, and no line writes the others (the added variables).
  const std::int32_t row = spare_row_;
  spare_row_ = -1;
  return row;
}

// Files the line read into `row` under its group and year when its state
// exists in that year.
bool TKIV_array_obj::file_line(std::int32_t row, std::int32_t numcode) {
  const Tnation_array_obj* nations = &reference_.nations;
  auto key = [&](std::int32_t variable, const char* name) {
    const std::int32_t position = required_position(column_map_, variable, name);
    return static_cast<std::int32_t>(value_at(row, position).to_int());
  };
  const std::int32_t ccode = key(ccode_variable_, "ccode");
  const std::int32_t year = key(year_variable_, "year");
  YearBlock* target = block(year);
  if (target == nullptr || !nations->is_a_state(ccode, year)) {
    error("KIV group does not match a recognized COW country code for ccode  " +
              std::to_string(ccode) + " in year " + std::to_string(year) +
              ".  This country-year will be omitted from Tandrel output.",
          0, noncritical);
    return false;
  }
  // A later line for the same group and year replaces the earlier one, whose
  // row takes the next line.
  std::int32_t& filed = target->rows[static_cast<std::size_t>(slot(numcode) + 1)];
  if (filed >= 0) spare_row_ = filed;
  filed = row;
  return true;
}

void TKIV_array_obj::check_case_count(std::int32_t lines_read) const {
  if (description_->get_number_of_cases(ds_) != lines_read)
    error(
        "Number of cases in data file does not match specification in user configuration file "
        "for KIV data set.  Check data file for possible truncation.",
        3, noncritical);
}

}  // namespace tandrel
