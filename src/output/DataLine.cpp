#include "output/DataLine.h"

#include <array>
#include <charconv>
#include <cmath>
#include <exception>

#include "app/Globals.h"
#include "diagnostics/Error.h"
#include "diagnostics/Exceptions.h"
#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "output/Destination.h"
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

void append_quoted(std::string& out, std::string_view text) {
  out += '"';
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

// What one line needs besides the values: the run's objects and the number
// of the "region" variable.
struct LineContext {
  const TKIV_array_obj& data;
  const TKIV_Sort_Obj& sort;
  const Tregion_list_info_obj& regions;
  std::int32_t region_variable;
  std::string_view separator;
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

TaggedValue value_of(const LineContext& ctx, std::int32_t variable, std::int32_t index) {
  const sort_record& record = ctx.sort.get_record(index);
  TaggedValue value = ctx.data.get_group_value(0, variable, record.year, record.numcode);
  if (variable == ctx.region_variable) return TaggedValue::int32(region_code(value, ctx.regions));
  return value;
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

// Minimum and maximum of a text variable, compared as texts; the first
// record's value, missing or not, takes part like any other.
void append_text_extremes(const LineContext& ctx, std::int32_t variable, std::int32_t first,
                          std::int32_t last, std::string& line) {
  TaggedValue minimum = value_of(ctx, variable, first);
  TaggedValue maximum = minimum;
  NumberBuffer v_buffer, min_buffer, max_buffer;
  for (std::int32_t i = first; i <= last; ++i) {
    const TaggedValue v = value_of(ctx, variable, i);
    const std::string_view v_text = text_of(v, v_buffer);
    if (v_text < text_of(minimum, min_buffer)) minimum = v;
    if (v_text > text_of(maximum, max_buffer)) maximum = v;
  }
  line += ctx.separator;
  append_quoted(line, text_of(minimum, min_buffer));
  line += ctx.separator;
  append_quoted(line, text_of(maximum, max_buffer));
}

// Mean, minimum and maximum of a numeric variable over the values that are
// not its missing code; all three are the missing code when every value is.
void append_numeric_aggregate(const LineContext& ctx, std::int32_t variable, std::int32_t missing,
                              int width, int decimals, std::int32_t first, std::int32_t last,
                              std::string& line) {
  TaggedValue minimum = TaggedValue::int32(missing);
  TaggedValue maximum = minimum;
  double sum = 0.0;
  std::int64_t count = 0;
  for (std::int32_t i = first; i <= last; ++i) {
    const TaggedValue v = value_of(ctx, variable, i);
    // Numeric variables hold numbers only; anything else cannot be summed.
    if (!v.is_numeric() || v.equals_code(missing)) continue;
    sum += v.to_double();
    if (count == 0 || compare(v, minimum) < 0) minimum = v;
    if (count == 0 || compare(v, maximum) > 0) maximum = v;
    ++count;
  }
  const double mean = count > 0 ? sum / static_cast<double>(count) : static_cast<double>(missing);
  setoneouputvalue(line, TaggedValue::real(mean), kMeanWidth, kMeanDecimals, ctx.separator);
  setoneouputvalue(line, minimum, width, decimals, ctx.separator);
  setoneouputvalue(line, maximum, width, decimals, ctx.separator);
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
                         std::string& line, std::int32_t first, std::int32_t last, bool merged) {
  line.clear();
  const LineContext ctx{data, sort, regions, region_variable(description), separator};
  const sort_record& head = sort.get_record(first);
  setoneouputvalue(line, TaggedValue::int32(head.period_start), kYearWidth, 0, separator);
  setoneouputvalue(line, TaggedValue::int32(head.period_end), kYearWidth, 0, separator);
  int width = 4;
  int decimals = 0;
  for (std::int32_t variable : selections.variable_selections.variable_columns) {
    const std::int16_t type = description.get_var_type(0, variable);
    set_layout(type, width, decimals);
    if (!merged) {
      setoneouputvalue(line, value_of(ctx, variable, first), width, decimals, separator);
    } else if (is_string_type(type)) {
      append_text_extremes(ctx, variable, first, last, line);
    } else {
      append_numeric_aggregate(ctx, variable, description.get_var_missing_value(0, variable), width,
                               decimals, first, last, line);
    }
  }
  if (merged)
    setoneouputvalue(line, TaggedValue::int32(last - first + 1), kYearWidth, 0, separator);
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
