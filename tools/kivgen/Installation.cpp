#include "kivgen/Installation.h"

#include <filesystem>
#include <set>

#include "kivgen/Groups.h"
#include "kivgen/Output.h"
#include "kivgen/StateSystem.h"
#include "kivgen/Variables.h"

namespace kivgen {

namespace {

namespace fs = std::filesystem;

std::int64_t count_lines(const std::vector<GroupPlan>& groups) {
  std::int64_t n = 0;
  for (const GroupPlan& g : groups) n += static_cast<std::int64_t>(g.years.size());
  return n;
}

Summary write_data_set(const std::string& dir, const std::vector<VarSpec>& vars,
                       const std::vector<GroupPlan>& groups, int first_year, int last_year,
                       std::uint64_t seed, const std::string& comment) {
  fs::create_directories(dir);
  const std::string data_file = (fs::path(dir) / "kivora.csv").string();
  const DescriptionSpec spec{"kivora.csv", first_year, last_year, count_lines(groups), comment};
  write_description((fs::path(dir) / "kivora.mdf").string(), spec, vars);
  Summary s;
  s.lines = write_data_file(data_file, vars, groups, first_year, last_year, seed);
  s.groups = groups.size();
  std::set<int> states;
  for (const GroupPlan& g : groups) states.insert(g.ccode);
  s.states = states.size();
  s.variables = vars.size();
  s.bytes = fs::file_size(data_file);
  s.data_file = data_file;
  return s;
}

// A few of the states as major powers, one of them with two periods.
StateSystem bench_majors(const StateSystem& states) {
  std::vector<CowState> majors;
  for (std::size_t i = 0; i < states.states().size() && i < 4; ++i) {
    CowState m = states.states()[i];
    if (i == 3) m.periods = {StatePeriod{1800, 1918}, StatePeriod{1925, 2025}};
    majors.push_back(m);
  }
  return StateSystem(std::move(majors));
}

}  // namespace

Summary write_sample(const SampleOptions& options) {
  const std::string states_file = options.states_file.empty()
                                      ? (fs::path(options.out_dir) / "states2016.csv").string()
                                      : options.states_file;
  const StateSystem cow = StateSystem::read_cow_file(states_file);
  const SampleShape shape;
  const std::vector<GroupPlan> groups = plan_sample_groups(cow, shape, options.seed);
  return write_data_set(options.out_dir, sample_variables(), groups, shape.first_year,
                        shape.last_year, options.seed,
                        "Kivora sample data set: synthetic, made by tandrel-kivgen from seed " +
                            std::to_string(options.seed) + "; not real data");
}

Summary write_bench(const BenchOptions& o) {
  const StateSystem states = bench_state_system(o.groups, o.seed);
  const std::vector<GroupPlan> groups =
      plan_bench_groups(states, o.groups, o.first_year, o.last_year, o.seed);
  Summary s = write_data_set(
      o.out_dir, bench_variables(o.variables, o.seed), groups, o.first_year, o.last_year, o.seed,
      "Kivora benchmark data set: synthetic, made by tandrel-kivgen from seed " +
          std::to_string(o.seed));
  const fs::path dir(o.out_dir);
  write_nation_list((dir / "states-bench.csv").string(), states);
  write_major_list((dir / "majors-bench.csv").string(), bench_majors(states));
  OutFile ini((dir / "Tandrel.ini").string());
  ini.write(bench_configuration());
  ini.close();
  return s;
}

std::string bench_configuration() {
  // No empty lines: the program reports every line without a known name.
  return "; Tandrel configuration of a benchmark installation made by tandrel-kivgen.\n"
         "; Every state of states-bench.csv exists from 1800 to 2025.\n"
         "[Tandrel]\n"
         "error_file_name = \"tandrel-errors.log\"\n"
         "kiv_interface_file_name = \"kivora.mdf\"\n"
         "kiv_linked_doc_file_name = \"docs/kivora.html\"\n"
         "tandrel_doc_file_name = \"docs/tandrel.html\"\n"
         "tandrel_quickstart_file_name = \"docs/quickstart.html\"\n"
         "Saved_Settings = \"tandrel-settings.dat\"\n"
         "nation_list_file_name = \"states-bench.csv\"\n"
         "major_list_file_name = \"majors-bench.csv\"\n"
         "first_nation_year = \"1800\"\n"
         "last_nation_year = \"2025\"\n";
}

}  // namespace kivgen
