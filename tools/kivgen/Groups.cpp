#include "kivgen/Groups.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

#include "kivgen/Text.h"

namespace kivgen {

namespace {

enum : std::uint64_t {
  kTagStates = 1,
  kTagCounts,
  kTagSequences,
  kTagDiasporas,
  kTagNames,
  kTagYears,
  kTagBenchStates,
  kTagBenchGroups,
};

constexpr std::array<std::string_view, 10> kPrefixes = {
    "Northern", "Southern", "Eastern", "Western", "Highland",
    "Lowland",  "Coastal",  "Upper",   "Lower",   "Mountain"};
constexpr std::array<std::string_view, 10> kSuffixes = {
    "Muslims",   "Christians", "Buddhists", "Animists",     "Settlers",
    "Islanders", "Herders",    "Traders",   "Pastoralists", "Valley People"};

// One group's place before it has a name: a state and a sequence number.
struct Slot {
  std::size_t state = 0;
  int sequence = 0;
  int diaspora = -99;
  std::string people;
};

std::vector<int> state_years(const StateSystem& cow, int ccode, int first, int last) {
  std::vector<int> years;
  for (int y = first; y <= last; ++y) {
    if (cow.is_state(ccode, y)) years.push_back(y);
  }
  return years;
}

std::vector<const CowState*> choose_states(const StateSystem& cow, const SampleShape& shape,
                                           Rng rng) {
  std::vector<const CowState*> candidates;
  for (const CowState& s : cow.states()) {
    if (home_region_code(s.ccode) == -99) continue;
    if (state_years(cow, s.ccode, shape.first_year, shape.last_year).size() >= 12) {
      candidates.push_back(&s);
    }
  }
  rng.shuffle(candidates);
  if (candidates.size() > static_cast<std::size_t>(shape.states)) candidates.resize(shape.states);
  std::sort(candidates.begin(), candidates.end(),
            [](const CowState* a, const CowState* b) { return a->ccode < b->ccode; });
  return candidates;
}

// One group for every state, the rest drawn with a preference for a fifth of
// the states, which become the diverse ones with many groups.
std::vector<int> group_counts(std::size_t states, int groups, Rng rng) {
  std::vector<int> counts(states, 1);
  std::vector<std::size_t> weighted;
  for (std::size_t i = 0; i < states; ++i) {
    const int weight = rng.chance(200) ? 4 : 1;
    for (int w = 0; w < weight; ++w) weighted.push_back(i);
  }
  int remaining = groups - static_cast<int>(states);
  while (remaining > 0) {
    const std::size_t i = rng.pick(weighted);
    if (counts[i] == 9) continue;
    ++counts[i];
    --remaining;
  }
  return counts;
}

// Mostly 1..k; sometimes with holes, as when groups were dropped or merged.
std::vector<int> sequences(int k, Rng& rng) {
  std::vector<int> seq;
  if (k == 9 || rng.chance(750)) {
    for (int s = 1; s <= k; ++s) seq.push_back(s);
    return seq;
  }
  std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  rng.shuffle(all);
  seq.assign(all.begin(), all.begin() + k);
  std::sort(seq.begin(), seq.end());
  return seq;
}

void assign_diasporas(std::vector<Slot>& slots, const std::vector<const CowState*>& states,
                      int diasporas, Rng rng) {
  for (int code = 1; code <= diasporas; ++code) {
    std::vector<std::size_t> free;
    for (std::size_t i = 0; i < slots.size(); ++i) {
      if (slots[i].diaspora == -99) free.push_back(i);
    }
    if (free.empty()) return;
    const std::size_t anchor = rng.pick(free);
    const int region = home_region_code(states[slots[anchor].state]->ccode);
    const bool any_region = rng.chance(250);
    const std::string people = make_word(rng);
    std::set<std::size_t> used_states = {slots[anchor].state};
    slots[anchor].diaspora = code;
    slots[anchor].people = people;
    int others = 1 + static_cast<int>(rng.below(4));
    rng.shuffle(free);
    for (std::size_t i : free) {
      if (others == 0) break;
      Slot& s = slots[i];
      if (i == anchor || used_states.count(s.state) != 0) continue;
      if (!any_region && home_region_code(states[s.state]->ccode) != region) continue;
      used_states.insert(s.state);
      s.diaspora = code;
      s.people = people;
      --others;
    }
  }
}

// The years of a group: late starts, early ends, dropped years and runs of
// them, all within the state's years.
std::vector<int> group_years(const std::vector<int>& available, Rng& rng) {
  const int n = static_cast<int>(available.size());
  int start = 0;
  int end = n - 1;
  if (rng.chance(250)) start = static_cast<int>(rng.below(static_cast<std::uint32_t>(n * 2 / 3)));
  if (rng.chance(120) && end - start > 8) {
    end = start + 5 + static_cast<int>(rng.below(static_cast<std::uint32_t>(end - start - 5)));
  }
  std::vector<char> keep(n, 0);
  for (int i = start; i <= end; ++i) keep[i] = 1;
  for (int i = start + 1; i < end; ++i) {
    if (rng.chance(25)) keep[i] = 0;
  }
  if (rng.chance(150) && end - start > 10) {
    const int at =
        start + 2 + static_cast<int>(rng.below(static_cast<std::uint32_t>(end - start - 7)));
    const int length = 2 + static_cast<int>(rng.below(3));
    for (int i = at; i < at + length && i < end; ++i) keep[i] = 0;
  }
  std::vector<int> years;
  for (int i = 0; i < n; ++i) {
    if (keep[i]) years.push_back(available[i]);
  }
  return years;
}

std::vector<int> unknown_region_years(const std::vector<int>& years, Rng& rng) {
  std::vector<int> unknown;
  for (std::size_t i = 1; i < years.size(); ++i) {
    if (rng.chance(5)) unknown.push_back(years[i]);
  }
  return unknown;
}

std::string unique_name(const std::string& people, std::set<std::string>& taken, Rng& rng) {
  std::string name = group_name(people, rng);
  while (taken.count(name) != 0) {
    name = std::string(kPrefixes[rng.below(kPrefixes.size())]) + " " + name;
  }
  taken.insert(name);
  return name;
}

std::vector<Slot> sample_slots(const std::vector<const CowState*>& states, const SampleShape& shape,
                               std::uint64_t seed) {
  const std::vector<int> counts =
      group_counts(states.size(), shape.groups, stream(seed, kTagCounts));
  Rng rng = stream(seed, kTagSequences);
  std::vector<Slot> slots;
  for (std::size_t i = 0; i < states.size(); ++i) {
    for (int s : sequences(counts[i], rng)) slots.push_back(Slot{i, s, -99, {}});
  }
  assign_diasporas(slots, states, shape.diasporas, stream(seed, kTagDiasporas));
  return slots;
}

}  // namespace

std::string group_name(const std::string& people, Rng& rng) {
  const std::uint32_t form = rng.below(100);
  const std::string prefix(kPrefixes[rng.below(kPrefixes.size())]);
  const std::string suffix(kSuffixes[rng.below(kSuffixes.size())]);
  if (form < 50) return people;
  if (form < 64) return prefix + " " + people;
  if (form < 78) return people + " " + suffix;
  if (form < 88) return people + ", " + prefix;
  if (form < 93) return people + "-" + make_word(rng);
  if (form < 97) return people + " and " + make_word(rng);
  return people.substr(0, 2) + "'" + people.substr(2);
}

std::vector<GroupPlan> plan_sample_groups(const StateSystem& cow, const SampleShape& shape,
                                          std::uint64_t seed) {
  const std::vector<const CowState*> states = choose_states(cow, shape, stream(seed, kTagStates));
  std::vector<Slot> slots = sample_slots(states, shape, seed);
  Rng names = stream(seed, kTagNames);
  std::vector<std::set<std::string>> taken(states.size());
  std::vector<GroupPlan> groups;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    Slot& slot = slots[i];
    const CowState& state = *states[slot.state];
    if (slot.people.empty()) slot.people = make_word(names);
    GroupPlan g;
    g.ccode = state.ccode;
    g.numcode = state.ccode * 100 + slot.sequence;
    g.people = slot.people;
    g.name = unique_name(slot.people, taken[slot.state], names);
    g.region = home_region_code(state.ccode);
    g.diaspora = slot.diaspora;
    Rng years = stream(seed, kTagYears, static_cast<std::uint64_t>(g.numcode));
    g.years = group_years(state_years(cow, state.ccode, shape.first_year, shape.last_year), years);
    g.region_unknown = unknown_region_years(g.years, years);
    groups.push_back(std::move(g));
  }
  std::sort(groups.begin(), groups.end(),
            [](const GroupPlan& a, const GroupPlan& b) { return a.numcode < b.numcode; });
  return groups;
}

StateSystem bench_state_system(int groups, std::uint64_t seed) {
  const int needed = (groups + 8) / 9;
  const int count = std::max(needed, std::min(groups, 200)) + kBenchControlStates;
  std::vector<int> codes;
  for (int c = 2; c <= 990; ++c) {
    if (home_region_code(c) != -99) codes.push_back(c);
  }
  Rng rng = stream(seed, kTagBenchStates);
  std::set<std::string> names;
  std::vector<CowState> states;
  for (int i = 0; i < count; ++i) {
    const int ccode =
        codes[static_cast<std::size_t>(i) * codes.size() / static_cast<std::size_t>(count)];
    std::string word = make_word(rng);
    while (names.count(word) != 0) word = make_word(rng);
    names.insert(word);
    std::string abbreviation = word.substr(0, 3);
    for (char& ch : abbreviation) ch = static_cast<char>(ch >= 'a' ? ch - 'a' + 'A' : ch);
    states.push_back(CowState{ccode,
                              abbreviation,
                              rng.chance(300) ? "Republic of " + word : word,
                              {StatePeriod{1800, 2025}}});
  }
  return StateSystem(std::move(states));
}

std::vector<GroupPlan> plan_bench_groups(const StateSystem& states, int groups, int first_year,
                                         int last_year, std::uint64_t seed) {
  Rng rng = stream(seed, kTagBenchGroups);
  // The last states of the list stay without groups, for control cases.
  const std::size_t n = states.states().size() - kBenchControlStates;
  std::vector<GroupPlan> plans;
  for (int g = 0; g < groups; ++g) {
    const CowState& state = states.states()[static_cast<std::size_t>(g) % n];
    GroupPlan p;
    p.ccode = state.ccode;
    p.numcode = state.ccode * 100 + g / static_cast<int>(n) + 1;
    p.people = make_word(rng);
    p.name = group_name(p.people, rng);
    p.region = home_region_code(state.ccode);
    p.diaspora = g % 7 == 0 ? (g / 7) % 50 + 1 : -99;
    for (int y = first_year; y <= last_year; ++y) p.years.push_back(y);
    plans.push_back(std::move(p));
  }
  std::sort(plans.begin(), plans.end(),
            [](const GroupPlan& a, const GroupPlan& b) { return a.numcode < b.numcode; });
  return plans;
}

}  // namespace kivgen
