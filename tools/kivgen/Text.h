#pragma once

// Text of data fields: integers, fixed-point reals, quoted strings, and the
// made-up words the generator uses for group and state names.

#include <cstdint>
#include <string>
#include <string_view>

#include "kivgen/Random.h"

namespace kivgen {

void append_int(std::string& out, std::int64_t value);

// `scaled` / 10^decimals in plain decimal notation, trailing zeros of the
// fraction dropped: (325, 2) gives "3.25", (350, 2) "3.5", (400, 2) "4",
// (-5, 2) "-0.05". Integer arithmetic only, so the text never depends on
// the platform's floating-point printing.
void append_fixed(std::string& out, std::int64_t scaled, int decimals);
std::string fixed_text(std::int64_t scaled, int decimals);

// True when the text cannot stand unquoted in a data field: the field
// readers end an unquoted field at a comma, tab, single or double quote,
// and blanks are quoted as well so that no reader trims them.
bool needs_quotes(std::string_view text);

// Appends the text as one field, in double quotes when needs_quotes says so.
// A double quote or a line end cannot be written in any field of the data
// file; such a text raises std::invalid_argument.
void append_string_field(std::string& out, std::string_view text);

// A pronounceable made-up word of two or three syllables, capitalised
// ("Kavari", "Tolunesh"). Never a real name on purpose, never an apostrophe.
std::string make_word(Rng& rng);

}  // namespace kivgen
