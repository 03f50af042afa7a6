#pragma once

// The standard text-to-number conversions: optional blanks around an
// optional sign and the digits (and, for reals, a point and an exponent);
// anything else does not convert. Independent of the process locale.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tandrel {

std::optional<std::int32_t> try_str_to_int(std::string_view text);
std::optional<double> try_str_to_float(std::string_view text);
// Raise EConvertError ("'x' is not a valid integer value").
std::int32_t str_to_int(std::string_view text);

}  // namespace tandrel
