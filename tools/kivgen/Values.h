#pragma once

// The values of one group's variables over the years of the data set, and
// the text of its data lines.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "kivgen/Groups.h"
#include "kivgen/Variables.h"

namespace kivgen {

// Cells that hold no value, by how the missing value is written.
inline constexpr std::int64_t kCellMissing = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t kCellBlank = kCellMissing + 1;
inline constexpr std::int64_t kCellDot = kCellMissing + 2;

class GroupSeries {
 public:
  GroupSeries(const std::vector<VarSpec>& vars, int first_year, int last_year);

  // Makes every variable's values for `group` over all years of the data
  // set. A variable's values depend only on the seed, the variable's
  // position and the group (or, for state variables, the state), so state
  // variables agree between the groups of a state.
  void fill(const GroupPlan& group, std::uint64_t seed);

  // The cell of variable `var` in `year`: a kCell marker, an integer, a real
  // in units of 10^-decimals, or for text variables an index (see text_of).
  std::int64_t cell(std::size_t var, int year) const {
    return cells_[var * years_ + static_cast<std::size_t>(year - first_year_)];
  }

  // The text of a text variable's cell that holds a value.
  const std::string& text_of(std::size_t var, std::int64_t cell) const;

  // Appends the data line of `group` in `year`, with its line end.
  void append_line(std::string& out, const GroupPlan& group, int year) const;

 private:
  void fill_variable(std::size_t var, const GroupPlan& group, std::uint64_t seed);
  void generate(const VarSpec& v, Rng& rng, std::int64_t* out, const GroupPlan& group);
  void fill_texts(const VarSpec& v, Rng& rng, std::int64_t* out, const GroupPlan& group);
  void mark_missing(const VarSpec& v, Rng& rng, std::int64_t* out) const;
  void append_cell(std::string& out, std::size_t var, std::int64_t cell) const;

  const std::vector<VarSpec>& vars_;
  int first_year_;
  std::size_t years_;
  std::vector<std::int64_t> cells_;
  std::vector<std::string> texts_;  // the group's own texts (names, notes)
};

}  // namespace kivgen
