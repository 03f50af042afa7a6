#pragma once

// The delimited field readers. Each consumes one field and the separator
// behind it, converts it, and reports what it cannot read in a message box;
// the numeric readers then return the missing-value code -99.

#include <cstdint>
#include <string>
#include <string_view>

#include "reference/TextReader.h"

namespace tandrel {

// Where a field stands, for the messages of the readers with context.
struct FieldContext {
  const std::string& variable;
  std::int64_t case_number;
};

inline constexpr int kReaderMissing = -99;

std::string read_csv_string(TextReader& file);
std::string read_csv_string(TextReader& file, const FieldContext& context);
// The same as read_csv_string(file), into a buffer the caller reuses.
void read_csv_string_into(TextReader& file, std::string& out);

// One field read exactly as read_csv_string(file) reads it, with the same
// message, but without copying when the field lies in the reader's buffer:
// `text` is valid until the next read from `file` (or change of `spill`).
// `separator` tells whether a separator ended the field, so a line ending in
// a separator can be told from a line that ended early.
struct CsvFieldView {
  std::string_view text;
  bool separator = false;
};
CsvFieldView read_csv_field(TextReader& file, std::string& spill);

// The report of the context-free string reader for a quoted field that is
// not followed by a separator.
std::string plain_quote_message(char quote, const std::string& so_far);

// Always within -32768..32767.
std::int32_t read_csv_int(TextReader& file);
std::int32_t read_csv_longint(TextReader& file, const FieldContext& context, bool& empty_field);
double read_csv_real(TextReader& file);
double read_csv_real(TextReader& file, const FieldContext& context);

// Fixed-point text of `value` with `decimals` digits after the point,
// right-aligned in `width` characters: real_to_string(5, 2, 1.06) == " 1.06".
std::string real_to_string(int width, int decimals, double value);

// `value` in fixed-point notation with `decimals` digits after the point,
// independent of the process locale.
std::string format_fixed(double value, int decimals);

}  // namespace tandrel
