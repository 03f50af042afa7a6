#include "kivgen/Values.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "kivgen/Text.h"

namespace kivgen {

namespace {

constexpr std::uint64_t kTagValues = 0x5A1E;

constexpr std::array<std::string_view, 6> kNotes = {
    "estimate",         "sources differ, coded low",    "no reports this year",
    "data from census", "coding revised, see codebook", "group split into two factions"};

std::int64_t clamp(std::int64_t v, std::int64_t lo, std::int64_t hi) {
  return std::max(lo, std::min(hi, v));
}

void walk_binary(Rng& rng, std::int64_t* out, std::size_t n) {
  const std::uint32_t p = static_cast<std::uint32_t>(rng.between(50, 500));
  std::int64_t v = rng.chance(p);
  for (std::size_t i = 0; i < n; ++i) {
    if (rng.chance(100)) v = rng.chance(p);
    out[i] = v;
  }
}

void walk_ordinal(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n) {
  const std::uint32_t span = static_cast<std::uint32_t>(s.hi - s.lo + 1);
  // One draw per statement: the order in which a compiler evaluates the
  // operands of an expression is not fixed, and the files must not depend on it.
  const std::int64_t a = rng.below(span);
  const std::int64_t b = rng.below(span);
  std::int64_t v = s.lo + std::min(a, b);
  for (std::size_t i = 0; i < n; ++i) {
    if (rng.chance(120)) v = clamp(v + (rng.chance(500) ? 1 : -1), s.lo, s.hi);
    out[i] = v;
  }
}

void draw_counts(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n) {
  const std::int64_t rate = rng.between(0, std::max<std::int64_t>(1, s.hi / 4));
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = rng.chance(450) ? 0 : rng.between(0, std::min(s.hi, 2 * rate));
  }
}

void walk_level(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n) {
  const std::int64_t step = std::max<std::int64_t>(1, (s.hi - s.lo) / 30);
  const std::uint32_t moves = s.type == VarType::Integer ? 300 : 1000;
  std::int64_t v = rng.between(s.lo, s.hi);
  for (std::size_t i = 0; i < n; ++i) {
    if (rng.chance(moves)) v = clamp(v + rng.between(-step, step), s.lo, s.hi);
    out[i] = v;
  }
}

void draw_growth(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n) {
  const std::int64_t span = s.hi - s.lo;
  const std::int64_t mean = s.lo + span / 3 + rng.between(-span / 6, span / 6);
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = clamp(mean + rng.between(-span / 4, span / 4), s.lo, s.hi);
  }
}

// Log-uniform start, so that small populations are as common as in life.
void grow_amount(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n) {
  std::uint32_t doublings = 0;
  while ((s.lo << (doublings + 1)) <= s.hi) ++doublings;
  const std::int64_t power = s.lo << rng.below(doublings + 1);
  std::int64_t v = power * (1000 + rng.below(1000)) / 1000;
  for (std::size_t i = 0; i < n; ++i) {
    v = std::max(s.lo / 2, v + v * rng.between(-5, 30) / 1000);
    out[i] = v;
  }
}

// An event year, not applicable before the event happened.
void event_year(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n, int first_year) {
  const std::int64_t year = rng.chance(450) ? rng.between(s.lo, s.hi) : s.hi + 1;
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = first_year + static_cast<std::int64_t>(i) >= year ? year : kCellMissing;
  }
}

void draw_categories(const VarSpec& s, Rng& rng, std::int64_t* out, std::size_t n) {
  const std::uint32_t count = static_cast<std::uint32_t>(s.categories.size());
  std::int64_t v = rng.below(count);
  for (std::size_t i = 0; i < n; ++i) {
    if (rng.chance(3)) v = rng.below(count);
    out[i] = v;
  }
}

std::string alt_names(const std::string& people, Rng& rng) {
  const std::uint32_t form = rng.below(100);
  if (form < 35) return {};
  if (form < 60) return people + "ans";
  if (form < 80) return people + ", " + make_word(rng);
  return make_word(rng) + " " + people;
}

std::string acronym(const std::string& people, Rng& rng) {
  std::string a(1, people[0]);
  for (int i = 0; i < 2; ++i) a.push_back(static_cast<char>('A' + rng.below(26)));
  return a;
}

std::string org_names(const std::string& people, Rng& rng) {
  const std::uint32_t form = rng.below(100);
  if (form < 50) return {};
  if (form < 80) return acronym(people, rng);
  if (form < 95) {
    const std::string first = acronym(people, rng);
    return first + ", " + acronym(people, rng);
  }
  return people + " Liberation Front";
}

}  // namespace

GroupSeries::GroupSeries(const std::vector<VarSpec>& vars, int first_year, int last_year)
    : vars_(vars),
      first_year_(first_year),
      years_(static_cast<std::size_t>(last_year - first_year + 1)),
      cells_(vars.size() * years_, kCellMissing) {}

void GroupSeries::fill(const GroupPlan& group, std::uint64_t seed) {
  texts_.clear();
  for (std::size_t v = 0; v < vars_.size(); ++v) fill_variable(v, group, seed);
}

void GroupSeries::fill_variable(std::size_t var, const GroupPlan& group, std::uint64_t seed) {
  const VarSpec& v = vars_[var];
  std::int64_t* out = &cells_[var * years_];
  if (v.kind <= Kind::Diaspora) return;  // written from the group plan
  const std::int64_t entity = v.scope == Scope::State ? group.ccode : group.numcode;
  Rng rng = stream(seed, kTagValues + var, static_cast<std::uint64_t>(entity));
  generate(v, rng, out, group);
  mark_missing(v, rng, out);
}

void GroupSeries::generate(const VarSpec& v, Rng& rng, std::int64_t* out, const GroupPlan& group) {
  const std::size_t n = years_;
  switch (v.kind) {
    case Kind::Binary:
      return walk_binary(rng, out, n);
    case Kind::Ordinal:
      return walk_ordinal(v, rng, out, n);
    case Kind::Count:
      return draw_counts(v, rng, out, n);
    case Kind::EventYear:
      return event_year(v, rng, out, n, first_year_);
    case Kind::Level:
      return walk_level(v, rng, out, n);
    case Kind::Growth:
      return draw_growth(v, rng, out, n);
    case Kind::Amount:
      return grow_amount(v, rng, out, n);
    case Kind::Category:
      return draw_categories(v, rng, out, n);
    default:
      return fill_texts(v, rng, out, group);
  }
}

// Texts of the group's own: the same in all years (names), or now and then (notes).
void GroupSeries::fill_texts(const VarSpec& v, Rng& rng, std::int64_t* out,
                             const GroupPlan& group) {
  const bool note = v.kind == Kind::Note;
  const std::string text = v.kind == Kind::AltNames ? alt_names(group.people, rng)
                           : note                   ? std::string()
                                                    : org_names(group.people, rng);
  const std::int64_t index = static_cast<std::int64_t>(texts_.size());
  if (!note) texts_.push_back(text);
  for (std::size_t i = 0; i < years_; ++i) {
    if (!note) {
      out[i] = text.empty() || rng.chance(50) ? kCellMissing : index;
    } else if (rng.chance(30)) {
      out[i] = static_cast<std::int64_t>(texts_.size());
      texts_.emplace_back(kNotes[rng.below(kNotes.size())]);
    } else {
      out[i] = kCellMissing;
    }
  }
}

void GroupSeries::mark_missing(const VarSpec& v, Rng& rng, std::int64_t* out) const {
  const bool never_coded = rng.chance(25);
  for (std::size_t i = 0; i < years_; ++i) {
    const int year = first_year_ + static_cast<int>(i);
    const bool off_year = v.interval >= 2 && year % v.interval != 0;
    if (never_coded || off_year || year < v.first_year || rng.chance(v.missing_per_mille)) {
      out[i] = kCellMissing;
    }
    if (out[i] != kCellMissing) continue;
    const std::uint32_t form = rng.below(1000);
    if (form < static_cast<std::uint32_t>(v.blank_per_mille)) {
      out[i] = kCellBlank;
    } else if (form < static_cast<std::uint32_t>(v.blank_per_mille + v.dot_per_mille)) {
      out[i] = kCellDot;
    }
  }
}

const std::string& GroupSeries::text_of(std::size_t var, std::int64_t cell) const {
  const VarSpec& v = vars_[var];
  if (v.kind == Kind::Category) return v.categories[static_cast<std::size_t>(cell)];
  return texts_[static_cast<std::size_t>(cell)];
}

void GroupSeries::append_cell(std::string& out, std::size_t var, std::int64_t cell) const {
  const VarSpec& v = vars_[var];
  if (cell == kCellBlank) return;
  if (cell == kCellDot) {
    out.push_back('.');
  } else if (cell == kCellMissing) {
    append_int(out, v.missing);
  } else if (v.type == VarType::Integer) {
    append_int(out, cell);
  } else if (v.type == VarType::Real) {
    append_fixed(out, cell, v.decimals);
  } else {
    append_string_field(out, text_of(var, cell));
  }
}

void GroupSeries::append_line(std::string& out, const GroupPlan& group, int year) const {
  const bool region_unknown =
      std::binary_search(group.region_unknown.begin(), group.region_unknown.end(), year);
  for (std::size_t var = 0; var < vars_.size(); ++var) {
    if (var != 0) out.push_back(',');
    switch (vars_[var].kind) {
      case Kind::Numcode:
        append_int(out, group.numcode);
        break;
      case Kind::Group:
        append_string_field(out, group.name);
        break;
      case Kind::Year:
        append_int(out, year);
        break;
      case Kind::Ccode:
        append_int(out, group.ccode);
        break;
      case Kind::Region:
        append_int(out, region_unknown ? -99 : group.region);
        break;
      case Kind::Diaspora:
        append_int(out, group.diaspora);
        break;
      default:
        append_cell(out, var, cell(var, year));
    }
  }
  out.push_back('\n');
}

}  // namespace kivgen
