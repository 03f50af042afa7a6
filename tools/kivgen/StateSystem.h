#pragma once

// The state system the generated data must agree with: which COW codes are
// states in which years, and the KIV home region of each code.

#include <string>
#include <vector>

namespace kivgen {

struct StatePeriod {
  int first_year = 0;
  int last_year = 0;
};

struct CowState {
  int ccode = 0;
  std::string abbreviation;
  std::string name;
  // At most two, as the program keeps them.
  std::vector<StatePeriod> periods;
};

class StateSystem {
 public:
  StateSystem() = default;
  explicit StateSystem(std::vector<CowState> states) : states_(std::move(states)) {}

  // Reads a nation list in COW layout (heading line, then abbreviation,
  // code, name, start year, month, day, end year, month, day, version).
  // Consecutive lines of one code give its two periods, as the program reads
  // them; a malformed line raises std::runtime_error naming the line.
  static StateSystem read_cow_file(const std::string& path);

  const std::vector<CowState>& states() const { return states_; }
  const CowState* find(int ccode) const;

  // Only whole years count, as in the program's fast state matrix.
  bool is_state(int ccode, int year) const;

 private:
  std::vector<CowState> states_;
};

// The KIV region code (0, 2, 3, 5, 6 or 7) of a COW code's home region, or
// -99 for a code that no region claims.
int home_region_code(int ccode);

// The text of one nation-list line in COW layout, with line end.
std::string cow_state_line(const CowState& state, const StatePeriod& period);

}  // namespace kivgen
