#pragma once

// The columns of a generated data set: what each variable is, how its values
// behave over time, and how its missing values are written.

#include <cstdint>
#include <string>
#include <vector>

namespace kivgen {

enum class VarType { Integer, Real, String };

// How a variable's values are made. The first six are the identifier columns.
enum class Kind {
  Numcode,
  Group,
  Year,
  Ccode,
  Region,
  Diaspora,
  Binary,     // 0 or 1, changes rarely
  Ordinal,    // lo..hi, moves one step at a time
  Count,      // lo..hi, many zeros, drawn afresh each year
  EventYear,  // one year for the whole series, or "not applicable"
  Level,      // lo..hi, a random walk
  Growth,     // lo..hi around a level of its own, drawn afresh each year
  Amount,     // grows a little each year from a start in lo..hi
  Category,   // one of `categories`, changes rarely
  AltNames,   // other names of the group, from the group's own name
  OrgNames,   // names of organisations, some lists with commas
  Note,       // an occasional coder's remark
};

// Group variables differ between groups; state variables are the same for
// every group of a state in a year.
enum class Scope { Group, State };

struct VarSpec {
  std::string name;
  VarType type = VarType::Integer;
  Kind kind = Kind::Ordinal;
  Scope scope = Scope::Group;
  std::int64_t lo = 0;  // range; for reals in units of 10^-decimals
  std::int64_t hi = 1;
  int decimals = 0;
  int interval = 0;  // observed only in years divisible by it when 2 or more
  int tab = 1;
  std::string tab_label;
  std::string description;
  std::string note;
  int missing = -99;
  int first_year = 0;          // missing before this year
  int missing_per_mille = 40;  // chance of a missing value in an observed year
  int blank_per_mille = 80;    // share of missing values written as an empty field
  int dot_per_mille = 40;      // share of missing values written as "."
  std::vector<std::string> categories;

  VarSpec& every(int years) {
    interval = years;
    return *this;
  }
  VarSpec& from(int year) {
    first_year = year;
    return *this;
  }
  VarSpec& code(int missing_code) {
    missing = missing_code;
    return *this;
  }
  VarSpec& gaps(int per_mille) {
    missing_per_mille = per_mille;
    return *this;
  }
  VarSpec& state_level() {
    scope = Scope::State;
    return *this;
  }
  VarSpec& blanks(int per_mille) {
    blank_per_mille = per_mille;
    return *this;
  }
};

const char* type_word(VarType type);

// The variables of the sample data set: six identifiers, then about 120
// variables on eight tabs.
std::vector<VarSpec> sample_variables();

// `count` variables (at least the six identifiers) for a benchmark data set:
// mostly small integers, a quarter reals, a few strings, on tabs of 150.
std::vector<VarSpec> bench_variables(int count, std::uint64_t seed);

}  // namespace kivgen
