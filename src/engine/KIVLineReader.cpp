#include "engine/KIVLineReader.h"

#include <algorithm>

#include "diagnostics/Error.h"
#include "diagnostics/Exceptions.h"
#include "reference/Convert.h"
#include "reference/DataSetListing.h"
#include "reference/FieldReaders.h"
#include "reference/TextReader.h"

namespace tandrel {

namespace {

constexpr std::int8_t kUnreadable = -99;

}  // namespace

KIVLineReader::KIVLineReader(const Tuser_data_set_listing_obj& description, int ds,
                             const std::vector<std::int32_t>& column_map, std::size_t column_count,
                             std::int32_t added_variable_count,
                             const Tregion_list_info_obj& regions)
    : column_count_(column_count),
      added_variable_count_(added_variable_count),
      regions_(&regions),
      file_name_(description.get_data_file_name(ds)) {
  const std::int32_t in_file = description.get_number_of_variables(ds) - added_variable_count;
  columns_.resize(static_cast<std::size_t>(std::max(in_file, 0)));
  for (std::size_t v = 0; v < columns_.size(); ++v) {
    Column& c = columns_[v];
    const int var = static_cast<int>(v);
    c.position = v < column_map.size() ? column_map[v] : -1;
    c.name = description.get_var_name(ds, var);
    const std::int16_t type = description.get_var_type(ds, var);
    c.kind =
        type == kVarTypeInteger ? Kind::Integer : (type == kVarTypeReal ? Kind::Real : Kind::Text);
    c.missing = description.get_var_missing_value(ds, var);
    c.critical = is_identifier_variable(c.name);
    c.region = equals_ignore_case(c.name, "region");
    c.numcode = equals_ignore_case(c.name, "numcode");
    c.year = equals_ignore_case(c.name, "year");
  }
}

KIVLineReader::Line KIVLineReader::read_line(TextReader& file, TaggedValue* row) {
  Line line;
  try {
    read_fields(file, row, line);
    file.readln();
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const std::exception&) {
    error("Error reading a data line in user input file.  Recheck data files.", 3, noncritical);
    line.failed = true;
    // The rest of this line must not be read as the next line.
    file.readln();
  }
  return line;
}

void KIVLineReader::read_fields(TextReader& file, TaggedValue* row, Line& line) {
  int stored = 0;
  bool after_separator = false;
  for (std::size_t v = 0; v < columns_.size(); ++v) {
    CsvFieldView field;
    // A separator right before the line end gives one more, empty field;
    // only a line without it has run out of fields.
    if (file.eoln() && !after_separator)
      report_short_line();
    else
      field = read_csv_field(file, spill_);
    after_separator = field.separator;
    Column& column = columns_[v];
    if (column.position < 0) continue;
    TaggedValue value = field_value(column, field.text, v);
    if (column.region) value = region_value(column, value);
    if (column.numcode) line.numcode = static_cast<std::int32_t>(value.to_int());
    if (column.year) line.year = static_cast<std::int32_t>(value.to_int());
    row[column.position] = value;
    ++stored;
  }
  report_element_count(stored);
}

TaggedValue KIVLineReader::field_value(Column& column, std::string_view text,
                                       std::size_t variable) {
  if (!text.empty() && text != ".") return convert(column, text, variable);
  if (column.critical)
    error("Problem in input data set  - the value for a critical variable (" + column.name +
              ") is blank or missing.  All data in this data file will be missing, and run will "
              "probably not function appropriately.",
          2, noncritical);
  return TaggedValue::int32(column.missing);
}

TaggedValue KIVLineReader::convert(Column& column, std::string_view text, std::size_t variable) {
  switch (column.kind) {
    case Kind::Integer:
      if (auto v = try_str_to_int(text)) return TaggedValue::int32(*v);
      break;
    case Kind::Real:
      if (auto v = try_str_to_float(text)) return TaggedValue::real(*v);
      break;
    case Kind::Text:
      if (column.last_text == nullptr || *column.last_text != text)
        column.last_text = intern_text(text);
      return TaggedValue::interned(column.last_text);
  }
  error("Error converting variable number " + std::to_string(variable + 1) +
            ".  Value seen was \"" + std::string(text) +
            "\".  Probable error in KIV data or .mdf file.  Notify programmer.",
        1, noncritical);
  return TaggedValue::int8(kUnreadable);
}

TaggedValue KIVLineReader::region_value(const Column& column, const TaggedValue& value) const {
  if (value.equals_code(column.missing)) return TaggedValue::uint8(0);
  const kiv_region_type region =
      regions_->get_region_from_code(static_cast<std::int32_t>(value.to_int()));
  return TaggedValue::uint8(static_cast<std::uint8_t>(region));
}

void KIVLineReader::report_short_line() const {
  error("Number of variables on a line of file " + file_name_ +
            " was not correct - reached eoln or eof while still looking for variables.  Data set "
            "does not match .mdf file - recheck files and try again.",
        2, critical);
}

void KIVLineReader::report_element_count(int stored) const {
  const auto selected = static_cast<std::int64_t>(column_count_);
  if (stored != selected && stored != selected - added_variable_count_)
    error(
        "Number of elements read from input file not equal to number of elements specified in "
        "data set setup.  Data may be off.",
        3, noncritical);
}

}  // namespace tandrel
