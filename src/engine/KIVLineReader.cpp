#include "engine/KIVLineReader.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include <algorithm>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "diagnostics/Error.h"
#include "engine/ColumnStore.h"
#include "engine/KIVFieldSource.h"
#include "process/Exceptions.h"
#include "reference/Convert.h"
#include "reference/DataSetListing.h"
#include "reference/FieldReaders.h"
#include "reference/TextReader.h"

namespace tandrel {

namespace {

// Up to nine digits with an optional minus sign, the common case, converted
// without the general conversion's blank and sign handling; the same value
// the general conversion gives.
std::optional<std::int32_t> plain_integer(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  std::int32_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// Digits, a point and digits, with an optional minus sign: when the digits
// fit a double exactly and the power of ten is exact too, one division
// gives the correctly rounded value, the same the general conversion gives.
std::optional<double> plain_real(std::string_view text) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view body = negative ? text.substr(1) : text;
  const std::size_t point = body.find('.');
  if (point == 0 || point + 1 == body.size() || body.size() > 16) return std::nullopt;
  std::uint64_t mantissa = 0;
  for (std::size_t k = 0; k < body.size(); ++k) {
    if (k == point) continue;
    const char c = body[k];
    if (c < '0' || c > '9') return std::nullopt;
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
  }
  const std::size_t decimals = point == std::string_view::npos ? 0 : body.size() - point - 1;
  const double value = static_cast<double>(mantissa) / kPowers[decimals];
  return negative ? -value : value;
}

// True when the field is digits with an optional minus sign and at most
// `max_digits` of them, one point among them when `point_allowed`, the
// point neither first nor last: a text both conversions take without a word.
bool plain_number(std::string_view text, std::size_t max_digits, bool point_allowed) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  if (text.empty() || text.size() > max_digits + (point_allowed ? 1 : 0)) return false;
  bool point = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c >= '0' && c <= '9') continue;
    if (c != '.' || !point_allowed || point || k == 0 || k + 1 == text.size()) return false;
    point = true;
  }
  return true;
}

}  // namespace

// Whether store_field would take this text without a report. Checking is
// much cheaper than converting, and most lines of a large file are dropped
// for their year; a "no" only sends the field the general way.
bool KIVLineReader::converts_quietly(const Column& column, std::string_view text) {
  if (text.empty() || text == ".") return !column.critical;
  switch (column.kind) {
    case Kind::Integer:
      return plain_number(text, 9, false);
    case Kind::Real:
      return plain_number(text, 15, true);
    case Kind::Text:
      return true;
  }
  return false;
}

namespace {

bool is_digit(char c) {
  return static_cast<unsigned char>(c - '0') < 10;
}

// Moves `p` over a run of digits, eight bytes at a time while eight remain:
// the numbers of a large file are mostly a few digits long, and a byte loop
// over them dominated the check of dropped lines.
void skip_digits(const char*& p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kZeros = 0x3030303030303030ULL, kLow = 0x7f7f7f7f7f7f7f7fULL;
    constexpr std::uint64_t kAbove9 = 0x7676767676767676ULL, kHigh = 0x8080808080808080ULL;
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t x = word ^ kZeros;
      // A byte's high bit is set unless it held '0'..'9': adding 0x76 to
      // its low seven bits carries into the high bit from 10 on, and a byte
      // with its own high bit set is never a digit.
      const std::uint64_t not_digit = (((x & kLow) + kAbove9) | x) & kHigh;
      if (not_digit != 0) {
        p += std::countr_zero(not_digit) / 8;
        return;
      }
      p += 8;
    }
  }
  while (p != end && is_digit(*p)) ++p;
}

// Moves `p` over a plain number field (an optional minus sign, digits, and
// for a real at most one point between digits) and answers whether the
// field is one that converts without a word: at most 9 digits for an
// integer, at most 15 for a real.
bool skip_plain_number(const char*& p, const char* end, bool real) {
  if (p != end && *p == '-') ++p;
  const char* digits = p;
  skip_digits(p, end);
  auto count = static_cast<std::size_t>(p - digits);
  if (count == 0) return false;
  if (!real) return count <= 9;
  if (p != end && *p == '.') {
    const char* fraction = ++p;
    skip_digits(p, end);
    if (p == fraction) return false;
    count += static_cast<std::size_t>(p - fraction);
  }
  return count <= 15;
}

#if defined(__SSE2__)
// Sixteen bytes from `p` on, one bit a byte: where a field may end, and
// where its digits, minus signs and points are.
struct ByteClasses {
  unsigned stop, digit, minus, point;
};

ByteClasses classify16(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  auto where = [&bytes](char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
  };
  // Compared as signed bytes, so that a byte with its high bit set is no digit.
  const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('0' - 1)),
                                      _mm_cmplt_epi8(bytes, _mm_set1_epi8('9' + 1)));
  return {where(',') | where('\t'), static_cast<unsigned>(_mm_movemask_epi8(digit)), where('-'),
          where('.')};
}

// skip_plain_number's answer for a field that ends within the sixteen bytes
// from `p` on, found from their classes without a branch a byte: its length,
// kReported when it is not a plain number, kLonger when it does not end there.
constexpr int kReported = -1, kLonger = -2;
int plain_number_length(const char* p, bool real) {
  const ByteClasses c = classify16(p);
  if (c.stop == 0) return kLonger;
  const int length = std::countr_zero(c.stop);
  const unsigned field = (1U << length) - 1;
  if (((c.digit | c.minus | c.point) & field) != field) return kReported;
  const unsigned minus = c.minus & field, point = c.point & field;
  if (minus > 1) return kReported;  // a minus sign leads or is not there
  const int first = static_cast<int>(minus);
  int digits = length - first;
  if (point != 0) {
    // One point, with a digit on either side of it.
    const int at = std::countr_zero(point);
    if (!real || (point & (point - 1)) != 0 || at <= first || at == length - 1) return kReported;
    --digits;
  }
  if (digits < 1 || digits > (real ? 15 : 9)) return kReported;
  return length;
}
#endif

// Moves `p` to the end of a number field and answers whether it is a plain
// number that ends at a separator or at `end`.
bool skip_number_field(const char*& p, const char* end, bool real) {
#if defined(__SSE2__)
  if (end - p >= 16) {
    const int length = plain_number_length(p, real);
    if (length == kReported) return false;
    if (length != kLonger) {
      p += length;
      return true;
    }
  }
#endif
  return skip_plain_number(p, end, real) && (p == end || *p == ',' || *p == '\t');
}

}  // namespace

// Whether the fields of variables `first` on, which `rest` holds, would all
// be taken without a report. Anything unusual (a quote, too few fields, a
// field that is not a plain number) answers false and so goes the general
// way, which reports it as on any line. One sweep over the bytes: most
// lines of a large file are dropped this way.
bool KIVLineReader::rest_converts_quietly(std::string_view rest, std::size_t first) const {
  const char* p = rest.data();
  const char* const end = p + rest.size();
  auto at_stop = [&] { return p == end || *p == ',' || *p == '\t'; };
  for (std::size_t v = first; v < sweep_.size(); ++v) {
    const std::uint8_t code = sweep_[v];
    const bool number = (code & kSweepNumber) != 0;
    const char* const start = p;
    if (number && !at_stop() && !(*p == '.' && (p + 1 == end || p[1] == ',' || p[1] == '\t'))) {
      if (!skip_number_field(p, end, (code & kSweepReal) != 0)) return false;
    } else if (p != end && (*p == '"' || *p == '\'')) {
      // A quoted text: whole when its closing quote ends the field.
      if (number || (code & kSweepCritical) != 0) return false;
      const auto* close =
          static_cast<const char*>(std::memchr(p + 1, *p, static_cast<std::size_t>(end - p - 1)));
      if (close == nullptr) return false;
      p = close + 1;
      if (!at_stop()) return false;
    } else {
      while (!at_stop()) {
        if (*p == '"' || *p == '\'') return false;
        ++p;
      }
      // A blank or "." field of an identifier is reported.
      const auto length = static_cast<std::size_t>(p - start);
      const bool blank = length == 0 || (length == 1 && *start == '.');
      if (blank && (code & kSweepCritical) != 0) return false;
    }
    if (p != end)
      ++p;
    else if (v + 1 < sweep_.size())
      return false;  // a short line
  }
  return true;
}

const std::string* KIVLineReader::RecentTexts::get(std::string_view text) {
  for (const std::string* pooled : pooled_)
    if (pooled != nullptr && *pooled == text) return pooled;
  const std::string* pooled = intern_text(text);
  pooled_[next_] = pooled;
  next_ = (next_ + 1) % pooled_.size();
  return pooled;
}

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
  sweep_.assign(columns_.size(), 0);
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
    if (c.position >= 0) {
      ++selected_in_file_;
      sweep_[v] = static_cast<std::uint8_t>((c.kind == Kind::Text ? 0 : kSweepNumber) |
                                            (c.kind == Kind::Real ? kSweepReal : 0) |
                                            (c.critical ? kSweepCritical : 0));
    }
  }
}

KIVLineReader::Line KIVLineReader::read_line(TextReader& file, ColumnStore& store,
                                             std::int32_t row) {
  Line line;
  KIVFieldSource fields(file, spill_);
  try {
    read_fields(fields, store, row, line);
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const std::exception&) {
    error("Error reading a data line in user input file.  Recheck data files.", 3, noncritical);
    line.failed = true;
  }
  // Fields beyond the expected ones are ignored; after a failure the rest of
  // the line must not be read as the next line either.
  fields.finish_line();
  return line;
}

bool KIVLineReader::kept_year(std::int32_t year) const {
  if (first_kept_year_ < 0) return true;
  return year >= first_kept_year_ && year <= last_kept_year_;
}

void KIVLineReader::read_fields(KIVFieldSource& fields, ColumnStore& store, std::int32_t row,
                                Line& line) {
  int stored = 0;
  bool after_separator = false;
  for (std::size_t v = 0; v < columns_.size(); ++v) {
    CsvFieldView field;
    // A separator right before the line end gives one more, empty field;
    // only a line without it has run out of fields.
    if (fields.at_line_end() && !after_separator)
      report_short_line();
    else
      field = fields.next();
    after_separator = field.separator;
    Column& column = columns_[v];
    if (column.position < 0) continue;
    ++stored;
    const auto position = static_cast<std::size_t>(column.position);
    if (!column.region && !column.numcode && !column.year) {
      // A dropped line's field is only checked; one that would be
      // reported goes the whole way, so it reports exactly as a kept one.
      if (!line.skipped || !converts_quietly(column, field.text))
        store_field(column, field.text, v, store, static_cast<std::size_t>(row));
      continue;
    }
    // The identifiers go the general way: the line needs their values.
    TaggedValue value = field_value(column, field.text, v);
    if (column.region) value = region_value(column, value);
    if (column.numcode) line.numcode = static_cast<std::int32_t>(value.to_int());
    store.set(row, position, value);
    if (column.year) {
      line.year = static_cast<std::int32_t>(value.to_int());
      line.skipped = !kept_year(line.year);
      // Most dropped lines are plain numbers to the end: checked in one
      // sweep, they report nothing, exactly as the general way would.
      if (line.skipped && field.separator) {
        const std::optional<std::string_view> rest = fields.rest();
        if (rest && rest_converts_quietly(*rest, v + 1)) {
          report_element_count(selected_in_file_);
          return;
        }
      }
    }
  }
  report_element_count(stored);
}

// field_value's conversion, written straight into the field's typed column.
void KIVLineReader::store_field(Column& column, std::string_view text, std::size_t variable,
                                ColumnStore& store, std::size_t row) {
  TypedColumn& target = store.column(static_cast<std::size_t>(column.position));
  if (text.empty() || text == ".") {
    if (column.critical) report_blank_critical(column);
    target.set_int32(row, column.missing);
    return;
  }
  switch (column.kind) {
    case Kind::Integer:
      if (auto v = plain_integer(text)) return target.set_int32(row, *v);
      if (auto v = try_str_to_int(text)) return target.set_int32(row, *v);
      break;
    case Kind::Real:
      if (auto v = plain_real(text)) return target.set_real(row, *v);
      if (auto v = try_str_to_float(text)) return target.set_real(row, *v);
      break;
    case Kind::Text:
      return target.set_text(row, column.texts.get(text));
  }
  report_conversion(text, variable);
  target.set_int32(row, column.missing);
}

TaggedValue KIVLineReader::field_value(Column& column, std::string_view text,
                                       std::size_t variable) {
  if (!text.empty() && text != ".") return convert(column, text, variable);
  if (column.critical) report_blank_critical(column);
  return TaggedValue::int32(column.missing);
}

void KIVLineReader::report_blank_critical(const Column& column) const {
  error("Problem in input data set  - the value for a critical variable (" + column.name +
            ") is blank or missing.  All data in this data file will be missing, and run will "
            "probably not function appropriately.",
        2, noncritical);
}

void KIVLineReader::report_conversion(std::string_view text, std::size_t variable) const {
  error("Error converting variable number " + std::to_string(variable + 1) +
            ".  Value seen was \"" + std::string(text) +
            "\".  Probable error in KIV data or .mdf file.  Notify programmer.",
        1, noncritical);
}

TaggedValue KIVLineReader::convert(Column& column, std::string_view text, std::size_t variable) {
  switch (column.kind) {
    case Kind::Integer:
      if (auto v = plain_integer(text)) return TaggedValue::int32(*v);
      if (auto v = try_str_to_int(text)) return TaggedValue::int32(*v);
      break;
    case Kind::Real:
      if (auto v = plain_real(text)) return TaggedValue::real(*v);
      if (auto v = try_str_to_float(text)) return TaggedValue::real(*v);
      break;
    case Kind::Text:
      return TaggedValue::interned(column.texts.get(text));
  }
  report_conversion(text, variable);
  // Stored as a blank field is: the variable's own missing code, the one
  // the command files declare, never a -99 a statistics package would read
  // as a real value.
  return TaggedValue::int32(column.missing);
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
