#pragma once

// Which groups a generated data set holds, in which states, under which
// names, and in which years each has a data line.

#include <cstdint>
#include <string>
#include <vector>

#include "kivgen/Random.h"
#include "kivgen/StateSystem.h"

namespace kivgen {

struct GroupPlan {
  std::int32_t numcode = 0;  // ccode * 100 + 1..9
  int ccode = 0;
  std::string name;
  std::string people;  // the made-up word the name is built on
  int region = -99;
  int diaspora = -99;
  std::vector<int> years;           // years with a data line, ascending
  std::vector<int> region_unknown;  // years whose line carries region -99
};

struct SampleShape {
  int first_year = 1945;
  int last_year = 2006;
  int states = 120;
  int groups = 300;
  int diasporas = 24;
};

// Groups of the sample: real states of `cow` that exist for at least a
// dozen years of the range; every line's year is a year of statehood. Some
// groups start late or end early, some years inside a series have no line,
// kindred groups in several states share a diaspora code. Sorted by numcode.
std::vector<GroupPlan> plan_sample_groups(const StateSystem& cow, const SampleShape& shape,
                                          std::uint64_t seed);

// A made-up state system for benchmarks: enough states for `groups` groups
// (at most 9 a state, at most 200 states unless more are needed) and
// kBenchControlStates more without groups, each a state from 1800 to 2025
// and each in a KIV region.
StateSystem bench_state_system(int groups, std::uint64_t seed);

// States of a benchmark nation list that hold no group, so that runs with
// control cases have states to add them for; they come last in the list.
inline constexpr int kBenchControlStates = 40;

// `groups` groups spread over the states, each with a line in every year
// from first_year to last_year. Sorted by numcode.
std::vector<GroupPlan> plan_bench_groups(const StateSystem& states, int groups, int first_year,
                                         int last_year, std::uint64_t seed);

// A group name on the word `people`: the word alone, or with a qualifier
// before it, after it, after a comma, joined by "and", hyphenated, or (rarely)
// with an apostrophe.
std::string group_name(const std::string& people, Rng& rng);

}  // namespace kivgen
