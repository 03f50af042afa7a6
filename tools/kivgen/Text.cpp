#include "kivgen/Text.h"

#include <array>
#include <stdexcept>

namespace kivgen {

void append_int(std::string& out, std::int64_t value) {
  char digits[24];
  int n = 0;
  std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
}

void append_fixed(std::string& out, std::int64_t scaled, int decimals) {
  std::int64_t unit = 1;
  for (int i = 0; i < decimals; ++i) unit *= 10;
  const std::uint64_t magnitude =
      scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::uint64_t fraction = magnitude % static_cast<std::uint64_t>(unit);
  if (scaled < 0) out.push_back('-');
  append_int(out, static_cast<std::int64_t>(magnitude / static_cast<std::uint64_t>(unit)));
  if (fraction == 0) return;
  int width = decimals;
  while (fraction % 10 == 0) {
    fraction /= 10;
    --width;
  }
  out.push_back('.');
  std::string tail;
  append_int(tail, static_cast<std::int64_t>(fraction));
  out.append(static_cast<std::size_t>(width) - tail.size(), '0');
  out += tail;
}

std::string fixed_text(std::int64_t scaled, int decimals) {
  std::string out;
  append_fixed(out, scaled, decimals);
  return out;
}

bool needs_quotes(std::string_view text) {
  return text.find_first_of(" ,\t'") != std::string_view::npos;
}

void append_string_field(std::string& out, std::string_view text) {
  if (text.find_first_of("\"\r\n") != std::string_view::npos) {
    throw std::invalid_argument("a data field cannot hold a double quote or a line end: " +
                                std::string(text));
  }
  if (!needs_quotes(text)) {
    out += text;
    return;
  }
  out.push_back('"');
  out += text;
  out.push_back('"');
}

namespace {

constexpr std::array<std::string_view, 24> kOnsets = {"k",  "t",  "m", "n", "s",  "v",  "r",  "l",
                                                      "d",  "b",  "g", "z", "sh", "th", "kh", "dr",
                                                      "br", "ts", "y", "h", "p",  "f",  "ch", "j"};
constexpr std::array<std::string_view, 8> kVowels = {"a", "e", "i", "o", "u", "a", "ai", "ou"};
constexpr std::array<std::string_view, 10> kCodas = {"",  "",   "",  "n", "r",
                                                     "l", "sh", "m", "t", "k"};

}  // namespace

std::string make_word(Rng& rng) {
  std::string word;
  const std::uint32_t syllables = 2 + rng.below(2);
  for (std::uint32_t i = 0; i < syllables; ++i) {
    word += kOnsets[rng.below(kOnsets.size())];
    word += kVowels[rng.below(kVowels.size())];
  }
  word += kCodas[rng.below(kCodas.size())];
  word[0] = static_cast<char>(word[0] - 'a' + 'A');
  return word;
}

}  // namespace kivgen
