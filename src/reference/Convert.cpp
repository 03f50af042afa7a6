#include "reference/Convert.h"

#include <charconv>
#include <string>

#include "process/Exceptions.h"

namespace tandrel {

namespace {
std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// from_chars takes a minus sign but no plus sign.
std::string_view drop_plus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}
}  // namespace

std::optional<std::int32_t> try_str_to_int(std::string_view text) {
  text = drop_plus(trim_blanks(text));
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<double> try_str_to_float(std::string_view text) {
  text = drop_plus(trim_blanks(text));
  double value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::int32_t str_to_int(std::string_view text) {
  if (auto v = try_str_to_int(text)) return *v;
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace tandrel
