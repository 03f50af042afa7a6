#include "output/DataLine.h"

#include <array>
#include <charconv>
#include <cmath>
#include <exception>

#include "diagnostics/Error.h"
#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "output/Destination.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/FieldReaders.h"
#include "reference/Regions.h"

namespace tandrel {

namespace {

constexpr int kYearWidth = 4;
constexpr int kMeanWidth = 10;
constexpr int kMeanDecimals = 8;
constexpr std::int64_t kFullDiskBytes = 8;

using NumberBuffer = std::array<char, 24>;

void pad_to(std::string& out, std::size_t length, int width) {
  if (width > 0 && length < static_cast<std::size_t>(width))
    out.append(static_cast<std::size_t>(width) - length, ' ');
}

void append_integer(std::string& out, std::int64_t value, int width) {
  NumberBuffer buffer;
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  const auto length = static_cast<std::size_t>(end - buffer.data());
  pad_to(out, length, width);
  out.append(buffer.data(), length);
}

void append_real(std::string& out, double value, int width, int decimals) {
  if (!std::isfinite(value)) throw ERangeError("value is not a finite number");
  const std::string text = format_fixed(value, decimals < 0 ? 0 : decimals);
  pad_to(out, text.size(), width);
  out += text;
}

// A text goes between double quotes, a double quote inside it written
// twice: the rule of R's read.csv, readr, pandas and GET DATA alike.
void append_quoted(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
    out += text.substr(0, quote + 1);
    out += '"';
    text.remove_prefix(quote + 1);
  }
  out += text;
  out += '"';
}

// The text a value compares by in a text column: texts as they are, other
// values as the decimal text of their integer value.
std::string_view text_of(const TaggedValue& value, NumberBuffer& buffer) {
  if (value.is_text()) return value.text_ref();
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value.to_int());
  return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

// The values of a line in column order, as they are written, for the
// native data files; nowhere when none are asked for.
struct Cells {
  TaggedValue* next = nullptr;
  void put(const TaggedValue& value) {
    if (next != nullptr) *next++ = value;
  }
};

// What one line needs besides the values: the run's objects and the number
// of the "region" variable.
struct LineContext {
  const TKIV_array_obj& data;
  const Tuser_data_set_listing_obj& description;
  const Tregion_list_info_obj& regions;
  std::int32_t region_variable;
  std::string_view separator;
  std::int32_t first;
  // The row of each record's group-year, -1 where it is not in memory;
  // looked up once per case instead of once per value.
  std::vector<std::int32_t> rows;
};

std::int32_t region_code(const TaggedValue& stored, const Tregion_list_info_obj& regions) {
  if (!stored.is_integer()) return -99;
  const std::int64_t ordinal = stored.to_int();
  if (ordinal < 0 || ordinal > 255) return -99;
  return regions.get_code_from_region(static_cast<kiv_region_type>(ordinal));
}

// The number of the variable named "region" in any letter case, or -1;
// looked up once per line without copying names.
std::int32_t region_variable(const Tuser_data_set_listing_obj& description) {
  constexpr std::string_view kRegion = "region";
  const auto& variables = description.data_set(0).variables;
  for (std::size_t v = 0; v < variables.size(); ++v) {
    const std::string& name = variables[v].var_name;
    if (name.size() != kRegion.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < name.size(); ++i) same = (name[i] | 0x20) == kRegion[i];
    if (same) return static_cast<std::int32_t>(v);
  }
  return -1;
}

// The value get_group_value gives for the record's group-year.
TaggedValue value_of(const LineContext& ctx, std::int32_t variable, std::int32_t index) {
  const std::int32_t row = ctx.rows[static_cast<std::size_t>(index - ctx.first)];
  const std::int32_t position = ctx.data.column_map()[static_cast<std::size_t>(variable)];
  TaggedValue value = row >= 0 && position >= 0
                          ? ctx.data.value_at(row, position)
                          : TaggedValue::int32(ctx.description.get_var_missing_value(0, variable));
  if (variable == ctx.region_variable) return TaggedValue::int32(region_code(value, ctx.regions));
  return value;
}

std::vector<std::int32_t> case_rows(const TKIV_array_obj& data, const TKIV_Sort_Obj& sort,
                                    std::int32_t first, std::int32_t last) {
  std::vector<std::int32_t> rows;
  rows.reserve(static_cast<std::size_t>(last - first + 1));
  for (std::int32_t i = first; i <= last; ++i) {
    const sort_record& record = sort.get_record(i);
    rows.push_back(data.group_year_row(record.numcode, record.year));
  }
  return rows;
}

// Width and decimals of a variable's values; an unknown type keeps the
// previous ones.
void set_layout(std::int16_t type, int& width, int& decimals) {
  if (type == kVarTypeInteger) {
    width = 4;
    decimals = 0;
  } else if (type == kVarTypeReal) {
    width = 10;
    decimals = 8;
  } else if (is_string_type(type)) {
    width = 10;
    decimals = 0;
  } else {
    error(
        "var type for variant variable not found in procedure construct_data_line: programming "
        "error; notify programmer",
        1, noncritical);
  }
}

// One variable's minimum, maximum, sum and count over the records of a
// merged case. A text variable's extremes start at the first record's value
// and are compared as texts; a numeric variable's range over the values that
// are not its missing code, and all three stay the missing code when every
// value is.
struct Aggregate {
  std::int32_t variable;
  std::int16_t type;
  std::int32_t missing;
  std::int32_t position;  // the typed column of the values; -1 when not loaded
  bool region;            // written as its region code
  TaggedValue minimum;
  TaggedValue maximum;
  double low = 0.0;  // the numeric values of minimum and maximum
  double high = 0.0;
  double sum = 0.0;
  std::int64_t count = 0;

  bool is_text() const { return is_string_type(type); }

  void add_text(const TaggedValue& v) {
    NumberBuffer v_buffer, bound_buffer;
    const std::string_view v_text = text_of(v, v_buffer);
    if (v_text < text_of(minimum, bound_buffer)) minimum = v;
    if (v_text > text_of(maximum, bound_buffer)) maximum = v;
  }

  // Numbers compare as numbers whatever their kind; values that are no
  // numbers cannot be summed and are passed over.
  void add_number(const TaggedValue& v) {
    if (!v.is_numeric() || v.equals_code(missing)) return;
    const double x = v.to_double();
    sum += x;
    if (count == 0 || x < low) {
      low = x;
      minimum = v;
    }
    if (count == 0 || x > high) {
      high = x;
      maximum = v;
    }
    ++count;
  }

  void append(std::string& line, int width, int decimals, std::string_view separator,
              Cells& cells) const {
    if (is_text()) {
      NumberBuffer buffer;
      line += separator;
      append_quoted(line, text_of(minimum, buffer));
      line += separator;
      append_quoted(line, text_of(maximum, buffer));
      cells.put(minimum);
      cells.put(maximum);
      return;
    }
    const double mean = count > 0 ? sum / static_cast<double>(count) : static_cast<double>(missing);
    setoneouputvalue(line, TaggedValue::real(mean), kMeanWidth, kMeanDecimals, separator);
    setoneouputvalue(line, minimum, width, decimals, separator);
    setoneouputvalue(line, maximum, width, decimals, separator);
    cells.put(TaggedValue::real(mean));
    cells.put(minimum);
    cells.put(maximum);
  }
};

std::vector<Aggregate> start_aggregates(const LineContext& ctx,
                                        const user_selection_type& selections) {
  std::vector<Aggregate> aggregates;
  for (std::int32_t variable : selections.variable_selections.variable_columns) {
    const std::int16_t type = ctx.description.get_var_type(0, variable);
    const std::int32_t missing = ctx.description.get_var_missing_value(0, variable);
    const TaggedValue start =
        is_string_type(type) ? value_of(ctx, variable, ctx.first) : TaggedValue::int32(missing);
    const std::int32_t position = ctx.data.column_map()[static_cast<std::size_t>(variable)];
    aggregates.push_back(
        {variable, type, missing, position, variable == ctx.region_variable, start, start});
  }
  return aggregates;
}

// One variable merged over the records of a case, read down its typed
// column. A record whose group-year is not in memory holds missing codes,
// which only text variables take into account.
void merge_column(const LineContext& ctx, Aggregate& a, std::int32_t first, std::int32_t last) {
  if (a.is_text() || a.region || a.position < 0) {
    for (std::int32_t i = first; i <= last; ++i) {
      const TaggedValue v = value_of(ctx, a.variable, i);
      a.is_text() ? a.add_text(v) : a.add_number(v);
    }
    return;
  }
  const TypedColumn& column = ctx.data.column(a.position);
  for (const std::int32_t row : ctx.rows)
    if (row >= 0) a.add_number(column.get(static_cast<std::size_t>(row)));
}

// The merged columns of every variable, one column at a time.
void append_merged_values(const LineContext& ctx, const user_selection_type& selections,
                          std::int32_t first, std::int32_t last, std::string& line, Cells& cells) {
  std::vector<Aggregate> aggregates = start_aggregates(ctx, selections);
  for (Aggregate& a : aggregates) merge_column(ctx, a, first, last);
  int width = 4;
  int decimals = 0;
  for (const Aggregate& a : aggregates) {
    set_layout(a.type, width, decimals);
    a.append(line, width, decimals, ctx.separator, cells);
  }
}

// The pieces of a long line for LIMDEP: each holds at least kLimdepPiece
// characters and ends just after the first separator at or beyond its
// kLimdepPiece-th character that is not inside a double-quoted text, so no
// text is ever split; the last piece takes the rest.
template <typename Emit>
void for_each_limdep_piece(std::string_view line, char separator, Emit emit) {
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t earliest_break = start + kLimdepPiece - 1;
    std::size_t end = line.size();
    bool in_quotes = false;
    for (std::size_t i = start; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') in_quotes = !in_quotes;
      if (c == separator && !in_quotes && i >= earliest_break) {
        end = i + 1;
        break;
      }
    }
    emit(line.substr(start, end - start));
    start = end;
  }
}

void check_free_space(const std::string& file_name) {
  const std::int64_t free_bytes = os().free_disk_space(file_name);
  if (free_bytes >= 0 && free_bytes <= kFullDiskBytes)
    throw EInOutError("Disk Full:  only " + std::to_string(free_bytes) + " bytes remaining.");
}

void write_to_file(const std::string& line, OutputChannel& channel,
                   const user_selection_type& selections, std::string_view separator) {
  check_free_space(channel.file_name());
  const bool limdep = selections.output_format.command_files.contains(command_file_type::CmdLIMDEP);
  if (limdep && line.size() > kLimdepLongLine && !separator.empty()) {
    for_each_limdep_piece(line, separator.front(),
                          [&channel](std::string_view piece) { channel.write_line(piece); });
  } else {
    channel.write_line(line);
  }
}

}  // namespace

void append_output_value(std::string& out, const TaggedValue& value, int width, int decimals) {
  const std::size_t kept = out.size();
  try {
    switch (value.kind()) {
      case TaggedValue::Kind::Int8:
      case TaggedValue::Kind::UInt8:
      case TaggedValue::Kind::Int16:
      case TaggedValue::Kind::UInt16:
      case TaggedValue::Kind::Int32:
      case TaggedValue::Kind::Int64:
        append_integer(out, value.to_int(), width);
        return;
      case TaggedValue::Kind::Double:
        append_real(out, value.to_double(), width, decimals);
        return;
      case TaggedValue::Kind::Bool:
        out += value.to_int() != 0 ? '1' : '0';
        return;
      case TaggedValue::Kind::Text:
        append_quoted(out, value.text_ref());
        return;
      case TaggedValue::Kind::Empty:
        break;
    }
    error("data passed in for output not string, integer, real, or boolean.  Data set to missing.",
          1, noncritical);
  } catch (const std::exception&) {
    out.resize(kept);
    error("data passed in for output caused exception.  Data set to missing.", 1, noncritical);
  }
  out += "-99";
}

std::string format_output_value(const TaggedValue& value, int width, int decimals) {
  std::string text;
  append_output_value(text, value, width, decimals);
  return text;
}

void setoneouputvalue(std::string& line, const TaggedValue& value, int width, int decimals,
                      std::string_view separator) {
  const std::size_t kept = line.size();
  try {
    if (!line.empty()) line += separator;
    append_output_value(line, value, width, decimals);
  } catch (const std::exception&) {
    line.resize(kept);
    error("Exception in setoneouputvalue.  Notify programmer.  ", 1, noncritical);
  }
}

void construct_data_line(const TKIV_array_obj& data, const TKIV_Sort_Obj& sort,
                         const Tuser_data_set_listing_obj& description,
                         const user_selection_type& selections,
                         const Tregion_list_info_obj& regions, std::string_view separator,
                         std::string& line, std::int32_t first, std::int32_t last, bool merged,
                         TaggedValue* cells_out) {
  line.clear();
  Cells cells{cells_out};
  const LineContext ctx{data,
                        description,
                        regions,
                        region_variable(description),
                        separator,
                        first,
                        case_rows(data, sort, first, last)};
  const sort_record& head = sort.get_record(first);
  setoneouputvalue(line, TaggedValue::int32(head.period_start), kYearWidth, 0, separator);
  setoneouputvalue(line, TaggedValue::int32(head.period_end), kYearWidth, 0, separator);
  cells.put(TaggedValue::int32(head.period_start));
  cells.put(TaggedValue::int32(head.period_end));
  if (!merged) {
    int width = 4;
    int decimals = 0;
    for (std::int32_t variable : selections.variable_selections.variable_columns) {
      set_layout(description.get_var_type(0, variable), width, decimals);
      const TaggedValue value = value_of(ctx, variable, first);
      setoneouputvalue(line, value, width, decimals, separator);
      cells.put(value);
    }
    return;
  }
  append_merged_values(ctx, selections, first, last, line, cells);
  setoneouputvalue(line, TaggedValue::int32(last - first + 1), kYearWidth, 0, separator);
  cells.put(TaggedValue::int32(last - first + 1));
}

void write_data_line(const std::string& line, OutputChannel& channel,
                     const user_selection_type& selections, std::string_view separator) {
  try {
    if (selections.output_format.destination == output_destination_type::DestFile)
      write_to_file(line, channel, selections, separator);
    else
      channel.write_line(line);
  } catch (const EInOutError&) {
    error(
        "Error opening/writing to main output file.  File may be in use by another program, may "
        "be read-only, or disk may be full.",
        1, noncritical);
    throw;
  }
}

}  // namespace tandrel
