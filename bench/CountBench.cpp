// Times the count of cases and columns shown before Go on an installation:
// the pass over the data file's identifier columns (time and the memory it
// keeps), then one count for each of several selections, the median of
// repeated counts. Every variable is selected, as with --vars all.
//
//   tandrel-count-bench PROGRAM_DIR

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"
#include "process/Globals.h"
#include "reference/GroupIndex.h"
#include "reference/Session.h"
#include "reference/SubsetSources.h"
#include "reference/VariableRules.h"
#include "run/RunShape.h"

namespace {

using namespace tandrel;
using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Resident memory in MB, from /proc.
double resident_mb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

// Every subset item, as the subset dialogs and the batch fill the lists
// when everything is chosen.
template <typename List>
List every(const std::vector<SubsetItem>& items) {
  List list;
  for (const SubsetItem& item : items)
    list.push_back(static_cast<typename List::value_type>(item.key));
  return list;
}

struct Scenario {
  const char* name;
  std::function<void(user_selection_type&)> choose;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tandrel-count-bench PROGRAM_DIR\n");
    return 2;
  }
  platform::HeadlessPlatform platform;
  platform.set_echo(false);
  platform.set_program_directory(argv[1]);
  ProcessGlobals g;
  g.platform = &platform;
  install_globals(&g);
  Session session;
  StartupWindows windows;
  start_up(g, session, windows);
  user_selection_type base = *session.selections;
  std::vector<VariableBox> boxes = build_variable_boxes(*session.description);
  offer_variables(boxes, *session.description, base);
  for (VariableBox& box : boxes) box.checked = true;
  apply_go_variable_rules(boxes, *session.description, base);
  read_variable_selections(boxes, base);
  base.selected_groups =
      every<Selected_group_list_type>(group_items(*session.group_index, *session.nation_array));
  base.selected_states =
      every<Selected_state_list_type>(kiv_state_items(*session.group_index, *session.nation_array));
  base.selected_regions = every<Selected_kiv_region_list_type>(
      region_items(*session.group_index, *session.region_list));
  base.selected_diasporas =
      every<Selected_diaspora_list_type>(diaspora_items(*session.group_index));

  const double before = resident_mb();
  const Clock::time_point start = Clock::now();
  const RunShapeCounter counter(
      g.configuration, *session.description,
      {*session.region_list, *session.nation_array, *session.group_index});
  std::printf("key pass          %8.1f ms, %6.1f MB kept (%.1f MB resident more)\n",
              ms_since(start), static_cast<double>(counter.bytes()) / (1024.0 * 1024.0),
              resident_mb() - before);

  using P = physical_aggregation_type;
  using T = temporal_aggregation_type;
  const Scenario scenarios[] = {
      {"group annual", [](auto&) {}},
      {"state 5-year",
       [](auto& s) {
         s.physical_aggregation = P::PhysState;
         s.temporal_aggregation = T::Time5yr;
         s.output_missing_cases = false;
       }},
      {"state filled",
       [](auto& s) {
         s.physical_aggregation = P::PhysState;
         s.temporal_aggregation = T::Time5yr;
         s.interpolate = true;
         s.include_nonkiv_states = true;
       }},
      {"region 10-year",
       [](auto& s) {
         s.physical_aggregation = P::PhysRegion;
         s.temporal_aggregation = T::Time10yr;
       }},
      {"globe", [](auto& s) { s.physical_aggregation = P::PhysGlobe; }},
      {"group, 1950-2000",
       [](auto& s) {
         s.first_year = 1950;
         s.last_year = 2000;
       }},
      {"globe, 1950-2000",
       [](auto& s) {
         s.physical_aggregation = P::PhysGlobe;
         s.first_year = 1950;
         s.last_year = 2000;
       }},
  };
  for (const Scenario& scenario : scenarios) {
    user_selection_type s = base;
    scenario.choose(s);
    std::vector<double> times;
    RunShape shape;
    for (int k = 0; k < 7; ++k) {
      const Clock::time_point t = Clock::now();
      shape = counter.count(s);
      times.push_back(ms_since(t));
    }
    std::sort(times.begin(), times.end());
    std::printf("%-17s %8.1f ms  %lld cases x %zu columns\n", scenario.name,
                times[times.size() / 2], static_cast<long long>(shape.cases), shape.columns);
  }
  install_globals(nullptr);
  return 0;
}
