#pragma once

// What the command files need to know of the values a run wrote to its data
// file: how long its texts are, so that string columns are declared wide
// enough to read them whole; whether a text holds a double quote, which only
// some readers take; and which integer columns hold values Stata's long
// cannot.

#include <cstddef>
#include <string>
#include <vector>

namespace tandrel {

// Stata keeps the largest values of its long for missing values.
inline constexpr long long kStataLongMin = -2147483647;
inline constexpr long long kStataLongMax = 2147483620;

struct WrittenTexts {
  std::size_t longest_text = 0;  // bytes, a doubled quote counted once
  bool texts_hold_quotes = false;
  // Whether a text ends in a blank, which SPSS's padded texts cannot keep.
  bool texts_end_in_blanks = false;
  // Per column: a whole number outside kStataLongMin..kStataLongMax.
  std::vector<bool> beyond_long;
};

// Reads `data_file` as the data line writer wrote it: fields parted by
// `separator` (a blank also parts fields, as numbers are padded with
// blanks) or a line end, texts in double quotes with a double quote inside
// written twice. Fields are counted through the file, so a line broken for
// LIMDEP still gives each field its column; with `header` the first
// `columns` fields are names. A file that cannot be read gives no facts. The
// data file is usually still open: its channel must be flushed first.
WrittenTexts written_texts(const std::string& data_file, char separator, bool header,
                           std::size_t columns);

// The length in bytes of the longest quoted text in `data_file`.
std::size_t longest_quoted_text(const std::string& data_file);

// The longest start of `text` of at most `bytes` bytes that does not end
// inside a UTF-8 character.
std::string utf8_prefix(const std::string& text, std::size_t bytes);

}  // namespace tandrel
