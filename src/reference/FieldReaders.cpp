#include "reference/FieldReaders.h"

#include <charconv>
#include <optional>

#include "diagnostics/QuietScope.h"
#include "process/Globals.h"

namespace tandrel {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool at_field_end(TextReader& f) {
  return f.eoln() || f.eof();
}

void say(const std::string& text) {
  if (!QuietScope::hold_back()) os().message_box(text);
}

std::string context_prefix(const FieldContext& c) {
  return "Error reading variable " + c.variable + " in case number " +
         std::to_string(c.case_number);
}

bool is_separator(char c) {
  return c == ',' || c == '\t';
}
bool is_quote(char c) {
  return c == '"' || c == '\'';
}

// The shared body of the string readers; `quote_message` builds the report
// for a quoted field that is not followed by a separator. Returns whether a
// separator ended the field.
template <typename Message>
bool read_string_field(TextReader& file, std::string& out, Message quote_message) {
  out.clear();
  if (at_field_end(file)) return false;
  char ch = file.read_char();
  if (is_separator(ch)) return true;
  if (is_quote(ch)) {
    const char quote = ch;
    while (!at_field_end(file)) {
      ch = file.read_char();
      if (ch == quote) break;
      out.push_back(ch);
    }
    if (at_field_end(file)) return false;
    ch = file.read_char();
    if (!is_separator(ch)) say(quote_message(quote, out));
    return is_separator(ch);
  }
  out.push_back(ch);
  while (!at_field_end(file)) {
    ch = file.read_char();
    if (is_quote(ch) || is_separator(ch)) return is_separator(ch);
    out.push_back(ch);
  }
  return false;
}

constexpr const char* kQuoteTail =
    "Data delimited by quotes and not at eoln/eof is not followed by a separator.";

// Reads up to the first digit or minus sign, which it returns; '\0' when the
// file ends first, which ends the field as not found.
char skip_to_number_start(TextReader& file) {
  while (!file.eof()) {
    char ch = file.read_char();
    if (is_digit(ch) || ch == '-') return ch;
  }
  return '\0';
}

// The digits of an integer field after its first character. `on_point`
// reports a decimal point.
template <typename OnPoint>
void read_integer_digits(TextReader& file, std::string& text, OnPoint on_point) {
  while (!at_field_end(file)) {
    char ch = file.read_char();
    if (is_digit(ch)) text.push_back(ch);
    if (ch == '.') on_point(text);
    if (ch == '"' || ch == ',' || ch == ' ' || ch == '\t' || ch == '.') return;
  }
}

bool to_int32(const std::string& text, std::int32_t& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

bool to_double(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  return ec == std::errc() && ptr == end;
}

// Reads a real field's text; returns false when exponent notation was refused.
template <typename OnExponent>
void read_real_text(TextReader& file, std::string& text, OnExponent on_exponent) {
  char first = skip_to_number_start(file);
  if (first == '\0') return;
  text.push_back(first);
  while (!at_field_end(file)) {
    char ch = file.read_char();
    if (is_digit(ch) || ch == '.' || ch == '-') text.push_back(ch);
    if (ch == 'E' || ch == '+') on_exponent();
    if (ch == '"' || ch == ',' || ch == ' ' || ch == 'E' || ch == '+' || ch == '\t') return;
  }
}

bool is_line_end(char c) {
  return c == '\n' || c == '\r';
}

// Where an unquoted field that starts at `text[0]` ends: the first quote,
// separator or line end after its first character; npos if the buffer ends
// first.
std::size_t plain_field_end(std::string_view text) {
  for (std::size_t k = 1; k < text.size(); ++k) {
    const char c = text[k];
    if (c <= ',' && (is_separator(c) || is_quote(c) || is_line_end(c))) return k;
  }
  return std::string_view::npos;
}

// The field taken whole from the buffer; nullopt when it runs past the
// buffer's end, which leaves the reader untouched for the character reader.
std::optional<CsvFieldView> field_in_buffer(TextReader& file, std::string& spill) {
  const std::string_view buffer = file.buffered();
  if (buffer.empty() || is_line_end(buffer[0])) return CsvFieldView{};
  if (is_separator(buffer[0])) {
    file.consume(1);
    return CsvFieldView{{}, true};
  }
  if (!is_quote(buffer[0])) {
    const std::size_t end = plain_field_end(buffer);
    if (end == std::string_view::npos) return std::nullopt;
    const bool consumed = !is_line_end(buffer[end]);
    file.consume(consumed ? end + 1 : end);
    return CsvFieldView{buffer.substr(0, end), consumed && is_separator(buffer[end])};
  }
  const char quote = buffer[0];
  std::size_t end = 1;
  while (end < buffer.size() && buffer[end] != quote && !is_line_end(buffer[end])) ++end;
  if (end + 1 >= buffer.size()) return std::nullopt;
  const std::string_view text = buffer.substr(1, end - 1);
  if (buffer[end] != quote || is_line_end(buffer[end + 1])) {
    file.consume(buffer[end] == quote ? end + 1 : end);
    return CsvFieldView{text, false};
  }
  const char after = buffer[end + 1];
  file.consume(end + 2);
  if (!is_separator(after)) {
    spill.assign(text);
    say(plain_quote_message(quote, spill));
  }
  return CsvFieldView{text, is_separator(after)};
}

}  // namespace

std::string plain_quote_message(char quote, const std::string& so_far) {
  return std::string("Error in read csv string in this data set.  ") + kQuoteTail +
         (quote == '"' ? "String so far is " : "  String so far is ") + so_far;
}

void read_csv_string_into(TextReader& file, std::string& out) {
  read_string_field(file, out, plain_quote_message);
}

CsvFieldView read_csv_field(TextReader& file, std::string& spill) {
  if (auto whole = field_in_buffer(file, spill)) return *whole;
  const bool separator = read_string_field(file, spill, plain_quote_message);
  return CsvFieldView{spill, separator};
}

std::string read_csv_string(TextReader& file) {
  std::string out;
  read_csv_string_into(file, out);
  return out;
}

std::string read_csv_string(TextReader& file, const FieldContext& context) {
  std::string out;
  read_string_field(file, out, [&context](char, const std::string& so_far) {
    return context_prefix(context) + " in procedure read_csv_string in this data set.  " +
           kQuoteTail + "String so far is " + so_far;
  });
  return out;
}

std::int32_t read_csv_int(TextReader& file) {
  std::string text;
  if (char first = skip_to_number_start(file); first != '\0') {
    text.push_back(first);
    read_integer_digits(file, text, [](const std::string& so_far) {
      say("Error in function read_csv_int -- found a \".\", indicating a real number, while "
          "trying to read an integer.  Value so far was " +
          so_far);
    });
  }
  std::int32_t value = 0;
  if (!to_int32(text, value)) {
    say("Integer not found in function read_csv_int.  Setting value to missing.  The value that "
        "was attempted to be converted to an integer was " +
        text + ".");
    return kReaderMissing;
  }
  if (value < -32768 || value > 32767) {
    say("Value outside integer range found in read_csv_int.  Setting value to missing.");
    return kReaderMissing;
  }
  return value;
}

std::int32_t read_csv_longint(TextReader& file, const FieldContext& context, bool& empty_field) {
  empty_field = false;
  std::string text;
  while (!at_field_end(file)) {
    char ch = file.read_char();
    if (ch == ',' || ch == '\t') {
      empty_field = true;
      return kReaderMissing;
    }
    if (is_digit(ch) || ch == '-') {
      text.push_back(ch);
      break;
    }
    if (ch == '.' || ch == '"') break;
  }
  read_integer_digits(file, text, [&context](const std::string& so_far) {
    say(context_prefix(context) +
        " in function read_csv_longint -- found a \".\", indicating a real number, while trying "
        "to read a long integer.  Value so far was " +
        so_far);
  });
  std::int32_t value = 0;
  if (!to_int32(text, value)) {
    say(context_prefix(context) +
        " in function read_csv_longint -- error converting value read from data to integer.  "
        "Setting value to missing.  The value that was attempted to be converted to an integer "
        "was \"" +
        text + "\"");
    return kReaderMissing;
  }
  return value;
}

double read_csv_real(TextReader& file) {
  std::string text;
  read_real_text(file, text, [] {
    say("Error in function read_csv_real -- this program cannot ");
    say("  read real number values in the form 2.5031E+01.  Convert data to 25.031 format.");
  });
  double value = 0;
  if (!to_double(text, value)) {
    say("Real number value not found in function read_csv_real.  Setting value to missing.  The "
        "value that was attempted to be converted to an integer was " +
        text + ".");
    return kReaderMissing;
  }
  return value;
}

double read_csv_real(TextReader& file, const FieldContext& context) {
  std::string text;
  read_real_text(file, text, [&context] {
    say(context_prefix(context) +
        " in function read_csv_real -- this program cannot read real number values in the form "
        "2.5031E+01.  Convert data to 25.031 format.");
  });
  double value = 0;
  if (!to_double(text, value)) {
    say(context_prefix(context) +
        " in function read_csv_real.  Real number value not found.  Setting value to missing.  "
        "The value that was attempted to be converted to an integer was \"" +
        text + "\"");
    return kReaderMissing;
  }
  return value;
}

std::string real_to_string(int width, int decimals, double value) {
  std::string text = format_fixed(value, decimals);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string format_fixed(double value, int decimals) {
  char buffer[400];
  auto [ptr, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return "-99";
  return std::string(buffer, ptr);
}

}  // namespace tandrel
