#pragma once

// The data lines of an output data set: one text line per output case, the
// values of the output columns joined by the separator, and the writing of
// a finished line to its destination.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/TaggedValue.h"
#include "reference/Selections.h"

namespace tandrel {

class OutputChannel;
class TKIV_array_obj;
class TKIV_Sort_Obj;
class Tregion_list_info_obj;
class Tuser_data_set_listing_obj;

// Lines longer than this are broken for LIMDEP, into pieces of at least
// kLimdepPiece characters that end at a separator.
inline constexpr std::size_t kLimdepLongLine = 500;
inline constexpr std::size_t kLimdepPiece = 400;

// Builds in `line` (cleared first, its capacity reused) the data line of the
// output case made of sort records first..last: year_1 and year_2 from the
// first record, then for each entry of selections.variable_selections
// .variable_columns the value of the first record or, when `merged`, the
// mean (not for text variables), minimum and maximum over the case, and
// finally the record count. Values of the "region" variable are written as
// their region code from `regions`. When `cells` is given, the value of
// every column is also stored there, one a column, as it was formatted (the
// minimum and maximum of a text variable as they compared).
void construct_data_line(const TKIV_array_obj& data, const TKIV_Sort_Obj& sort,
                         const Tuser_data_set_listing_obj& description,
                         const user_selection_type& selections,
                         const Tregion_list_info_obj& regions, std::string_view separator,
                         std::string& line, std::int32_t first, std::int32_t last, bool merged,
                         TaggedValue* cells = nullptr);

// Appends `value` formatted with `width` and `decimals`, preceded by
// `separator` unless `line` is still empty. A failure is reported and leaves
// the line as it was.
void setoneouputvalue(std::string& line, const TaggedValue& value, int width, int decimals,
                      std::string_view separator);

// The text of one value: integers right-aligned to `width`, reals in
// fixed-point with `decimals` digits right-aligned to `width`, texts between
// double quotes, booleans 1 or 0. Anything else is reported and gives "-99".
std::string format_output_value(const TaggedValue& value, int width, int decimals);

// The same, appended to `out` without building a separate string.
void append_output_value(std::string& out, const TaggedValue& value, int width, int decimals);

// Writes one finished line to the destination of selections.output_format.
// For a file the free disk space is checked first, and when a LIMDEP command
// file is requested a line longer than kLimdepLongLine is written as several
// physical lines, each ending at a `separator` outside double quotes. A
// failure is reported through error() and the EInOutError raised again.
void write_data_line(const std::string& line, OutputChannel& channel,
                     const user_selection_type& selections, std::string_view separator);

}  // namespace tandrel
