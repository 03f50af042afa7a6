#pragma once

// The settings file: the whole user selections record in one fixed-size,
// little-endian binary record of 13332 bytes, every list in a fixed-capacity
// array with its count in front. Shared by the Load/Save Settings commands of
// the main window and by tandrel-batch.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "reference/Selections.h"

namespace tandrel {

inline constexpr std::size_t kSettingsRecordSize = 13332;

// What one settings record can hold.
inline constexpr std::int32_t kSettingsMaxGroups = 1001;
inline constexpr std::int32_t kSettingsMaxStates = 251;
inline constexpr std::int32_t kSettingsMaxNonkivStates = 251;
inline constexpr std::int32_t kSettingsMaxRegions = 7;
inline constexpr std::int32_t kSettingsMaxDiasporas = 1001;
inline constexpr std::int32_t kSettingsMaxVariables = 1501;
inline constexpr std::size_t kSettingsMaxFileNameLength = 255;

using settings_record_bytes = std::array<std::uint8_t, kSettingsRecordSize>;

// The record of `selections`; fillers are zeros and the output file name is
// cut to its first 255 characters. A list longer than its capacity raises
// ERangeError. An interpolation method other than linear or carry-forward is
// reported through `error` and stored as linear.
settings_record_bytes encode_settings_record(const user_selection_type& selections);

// The selections a record holds. The whole record is checked before anything
// is returned: a negative count, a count over its capacity, a list element
// outside its type's range, an enumeration byte that names nothing, or years
// outside 1800..2025 or reversed raise ERangeError naming the field (e.g.
// "first_year 1990 is after last_year 1980."). Variable indices are taken
// as stored; an unknown interpolation method is reported through `error`
// and read as linear.
user_selection_type decode_settings_record(const settings_record_bytes& record);

// Creates (or replaces) `file_name` with the record of `selections`, whole
// or not at all: the record goes to a temporary file that replaces
// `file_name` only once it is on the disk. A list over its capacity
// (ERangeError) or a file that cannot be written (EInOutError) leaves an
// existing file as it was.
void save_settings_file(const std::string& file_name, const user_selection_type& selections);

// Replaces `selections` with the record in the first 13332 bytes of
// `file_name`. A missing, unreadable or short file raises EInOutError and a
// damaged record ERangeError with settings_refusal's text; in either case
// `selections` is left untouched.
void load_settings_file(const std::string& file_name, user_selection_type& selections);

// "FILE is not a Tandrel settings file, or it is damaged: " and the field.
std::string settings_refusal(const std::string& file_name, const std::string& field);

// The variable numbers of `selections` that a description of
// `variable_count` variables does not have (a record saved for another
// description, or damaged), as "variables 57 and 90, outside the 40
// variables (0 to 39) of the description"; nullopt when all are there.
std::optional<std::string> unknown_variables(const user_selection_type& selections,
                                             std::int32_t variable_count);

}  // namespace tandrel
