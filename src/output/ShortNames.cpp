#include "output/ShortNames.h"

#include <algorithm>
#include <string_view>

#include "diagnostics/Error.h"
#include "output/ProvenanceColumns.h"

namespace tandrel {

namespace {

struct SuffixRule {
  std::string_view suffix;
  std::string_view replacement;
};

constexpr SuffixRule kSuffixes[] = {{"_min", "mn"}, {"_max", "mx"}, {"_mean", "me"}};
// The provenance columns shorten the same way, told apart by their labels.
constexpr SuffixRule kProvenanceSuffixes[] = {{"_filled", "fl"}, {"_n", "n"}};

bool ends_with(const std::string& name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::string_view(name).substr(name.size() - suffix.size()) == suffix;
}

char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool has(const std::string& name, std::string_view part) {
  return name.find(part) != std::string::npos;
}

// The vowel whose first occurrence goes next, or 0 when none may go. The
// tests look for lower-case letters; an "e" is kept while the name holds
// "me", the mark of a mean column.
char next_vowel(const std::string& name) {
  if (has(name, "a")) return 'a';
  if (has(name, "e") && !has(name, "me")) return 'e';
  for (char vowel : {'i', 'o', 'u'})
    if (has(name, std::string_view(&vowel, 1))) return vowel;
  return 0;
}

bool remove_one_vowel(std::string& name) {
  const char vowel = next_vowel(name);
  if (vowel == 0) return false;
  const char upper = static_cast<char>(vowel - 'a' + 'A');
  name.erase(name.find_first_of(std::string{vowel, upper}), 1);
  return true;
}

// Stores `short_name` in the row field that holds `long_name`: the first
// row whose minimum, maximum or mean name (in that order) matches, or else
// a row that is a column itself under that name.
void rename_in_rows(display_output_array_type& rows, const std::string& long_name,
                    const std::string& short_name) {
  for (display_output_row& row : rows) {
    for (std::string* field : {&row.min_name, &row.max_name, &row.mean_name}) {
      if (*field == long_name) {
        *field = short_name;
        return;
      }
    }
  }
  for (display_output_row& row : rows) {
    const bool is_column = row.min_name.empty() && row.max_name.empty() && row.mean_name.empty();
    if (is_column && row.name == long_name) {
      row.name = short_name;
      return;
    }
  }
}

bool replace_suffix(std::string& name, const SuffixRule* first, const SuffixRule* last) {
  for (const SuffixRule* rule = first; rule != last; ++rule) {
    if (ends_with(name, rule->suffix)) {
      name.resize(name.size() - rule->suffix.size());
      name += rule->replacement;
      return true;
    }
  }
  return false;
}

}  // namespace

bool same_column_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ascii_lower(x) == ascii_lower(y);
         });
}

bool has_aggregate_suffix(const std::string& name) {
  return std::any_of(std::begin(kSuffixes), std::end(kSuffixes),
                     [&name](const SuffixRule& rule) { return ends_with(name, rule.suffix); });
}

std::string shortened_name(const std::string& long_name) {
  std::string name = long_name;
  if (!replace_suffix(name, std::begin(kSuffixes), std::end(kSuffixes)))
    replace_suffix(name, std::begin(kProvenanceSuffixes), std::end(kProvenanceSuffixes));
  while (name.size() > kShortNameLength && remove_one_vowel(name)) {
  }
  if (name.size() > kShortNameLength)
    name = name.substr(0, 1) + name.substr(name.size() - (kShortNameLength - 1));
  return name;
}

std::string short_var_name(const std::string& long_name, display_output_array_type& rows,
                           const std::function<bool(const std::string&)>& taken) {
  const std::string short_name = unique_name(shortened_name(long_name), taken);
  rename_in_rows(rows, long_name, short_name);
  return short_name;
}

void apply_length_rule(output_variable_lists& lists, display_output_array_type& rows,
                       std::size_t column) {
  const std::string name = lists.names[column];
  if (name.size() <= kShortNameLength) return;
  const std::string& label = lists.labels[column];
  const bool provenance =
      label.rfind(kProvenanceCountLabel, 0) == 0 || label.rfind(kProvenanceShareLabel, 0) == 0;
  if (!has_aggregate_suffix(name) && !provenance) {
    error(
        "A variable was seen that was too long, without the variable having had an appended "
        "min, mean, or max.  This suggests an error in the KIV data set interface file.  Notify "
        "programmer and KIV personnel.  Variable name will not be changed.",
        1, noncritical);
    return;
  }
  auto taken = [&lists, column](const std::string& candidate) {
    for (std::size_t i = 0; i < lists.names.size(); ++i)
      if (i != column && same_column_name(lists.names[i], candidate)) return true;
    return false;
  };
  lists.names[column] = short_var_name(name, rows, taken);
}

}  // namespace tandrel
