#include "output/FittedNames.h"

#include <map>
#include <set>

namespace tandrel {

namespace {

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The first name of the form stem + counter, cut to `limit`, that is not
// taken; the stem loses as many characters as the counter has digits.
std::string numbered(const std::string& name, std::size_t limit,
                     const std::set<std::string>& taken) {
  for (unsigned n = 1;; ++n) {
    std::string counter = std::to_string(n);
    if (counter.size() < 2) counter.insert(0, "0");
    if (counter.size() >= limit) counter = counter.substr(counter.size() - limit + 1);
    const std::string candidate =
        name.substr(0, std::min(name.size(), limit - counter.size())) + counter;
    if (!taken.contains(lower(candidate))) return candidate;
  }
}

}  // namespace

std::vector<std::string> fitted_names(const std::vector<std::string>& names, std::size_t limit,
                                      bool distinct) {
  std::vector<std::string> fitted(names.size());
  std::set<std::string> taken;
  // Names that fit are kept first, so that no cut name can take theirs.
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].size() > limit) continue;
    if (!distinct || taken.insert(lower(names[i])).second) {
      fitted[i] = names[i];
      taken.insert(lower(names[i]));
    }
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!fitted[i].empty() || names[i].empty()) continue;
    const std::string cut = names[i].substr(0, limit);
    fitted[i] = taken.contains(lower(cut)) ? numbered(names[i], limit, taken) : cut;
    taken.insert(lower(fitted[i]));
  }
  return fitted;
}

display_output_array_type renamed_rows(const display_output_array_type& rows,
                                       const std::vector<std::string>& old_names,
                                       const std::vector<std::string>& new_names) {
  std::map<std::string, std::vector<std::size_t>> columns;
  for (std::size_t i = old_names.size(); i-- > 0;) columns[old_names[i]].push_back(i);
  auto rename = [&columns, &new_names](std::string& name) {
    if (name.empty()) return;
    auto found = columns.find(name);
    if (found == columns.end() || found->second.empty()) return;
    name = new_names[found->second.back()];
    // A name repeated in a merged run: the next occurrence is the next column.
    if (found->second.size() > 1) found->second.pop_back();
  };
  display_output_array_type renamed = rows;
  for (display_output_row& row : renamed) {
    rename(row.name);
    rename(row.mean_name);
    rename(row.min_name);
    rename(row.max_name);
  }
  return renamed;
}

}  // namespace tandrel
