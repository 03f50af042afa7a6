#include "kivgen/StateSystem.h"

#include <fstream>
#include <stdexcept>

#include "kivgen/Text.h"

namespace kivgen {

namespace {

std::vector<std::string> split_commas(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ',') {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back().push_back(c);
    }
  }
  return fields;
}

int to_int(const std::string& text, const std::string& where) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) {
    throw std::runtime_error(where + ": \"" + text + "\" is not a whole number");
  }
  return value;
}

}  // namespace

StateSystem StateSystem::read_cow_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open the nation list " + path);
  std::vector<CowState> states;
  std::string line;
  std::getline(in, line);
  int line_number = 1;
  while (std::getline(in, line)) {
    ++line_number;
    if (line.empty() || line == "\r") continue;
    const std::vector<std::string> f = split_commas(line);
    const std::string where = path + " line " + std::to_string(line_number);
    if (f.size() < 9) throw std::runtime_error(where + ": fewer than 9 fields");
    const int ccode = to_int(f[1], where);
    const StatePeriod period{to_int(f[3], where), to_int(f[6], where)};
    if (!states.empty() && states.back().ccode == ccode) {
      // A third line of one code replaces the second period, as the program does.
      if (states.back().periods.size() == 2) states.back().periods.pop_back();
      states.back().periods.push_back(period);
      states.back().name = f[2];
      continue;
    }
    std::erase_if(states, [ccode](const CowState& s) { return s.ccode == ccode; });
    states.push_back(CowState{ccode, f[0], f[2], {period}});
  }
  return StateSystem(std::move(states));
}

const CowState* StateSystem::find(int ccode) const {
  for (const CowState& s : states_) {
    if (s.ccode == ccode) return &s;
  }
  return nullptr;
}

bool StateSystem::is_state(int ccode, int year) const {
  const CowState* s = find(ccode);
  if (s == nullptr || ccode == 0) return false;
  for (const StatePeriod& p : s->periods) {
    if (p.first_year <= year && year <= p.last_year) return true;
  }
  return false;
}

int home_region_code(int c) {
  const auto in = [c](int lo, int hi) { return lo <= c && c <= hi; };
  for (int w : {2,   20,  31,  200, 220, 225, 230, 255, 260, 265,
                325, 350, 375, 380, 385, 390, 395, 740, 900, 910}) {
    if (c == w) return 0;
  }
  if (in(205, 280)) return 0;
  if (in(290, 317) || in(327, 349) || in(355, 373) || in(701, 705)) return 2;
  if (in(402, 591)) return 6;
  if (c == 352 || in(600, 698)) return 5;
  if (c == 700 || in(710, 990)) return 3;
  if (in(40, 199)) return 7;
  return -99;
}

std::string cow_state_line(const CowState& state, const StatePeriod& period) {
  std::string line = state.abbreviation + ",";
  append_int(line, state.ccode);
  line += "," + state.name + ",";
  append_int(line, period.first_year);
  line += ",1,1,";
  append_int(line, period.last_year);
  line += ",12,31,2016\n";
  return line;
}

}  // namespace kivgen
