// Benchmark installations: complete, self-consistent, and read by the
// program's own readers without a single complaint.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "KivgenReadBack.h"
#include "app/Configuration.h"
#include "kivgen/Groups.h"
#include "kivgen/Installation.h"
#include "kivgen/StateSystem.h"
#include "kivgen/Text.h"
#include "kivgen/Variables.h"
#include "support/GlobalsFixture.h"
#include "support/TempDir.h"

namespace kivgen {
namespace {

class KivgenBench : public tandrel::test::GlobalsFixture {
 protected:
  KivgenBench() {
    options.out_dir = dir.file("bench");
    options.groups = 12;
    options.first_year = 1990;
    options.last_year = 1999;
    options.variables = 40;
    summary = write_bench(options);
  }
  std::string file(const std::string& name) const { return options.out_dir + "/" + name; }

  BenchOptions options;
  Summary summary;
};

TEST_F(KivgenBench, DescriptionDeclaresWhatTheDataFileHolds) {
  const test::Description d = test::read_description(file("kivora.mdf"));
  const auto rows = test::read_rows(file("kivora.csv"));
  EXPECT_EQ(d.keys.at("number_of_variables"), "40");
  EXPECT_EQ(d.variables.size(), 40u);
  EXPECT_EQ(d.keys.at("number_of_cases"), "120");
  EXPECT_EQ(rows.size(), 121u);
  EXPECT_EQ(summary.lines, 120);
  EXPECT_EQ(d.keys.at("first_year_possible"), "1990");
  EXPECT_EQ(d.keys.at("last_year_possible"), "1999");
  EXPECT_EQ(d.keys.at("label_line_in_data_file"), "true");
  EXPECT_TRUE(std::filesystem::exists(file(d.keys.at("data_file_name"))));
  for (std::size_t v = 0; v < d.variables.size(); ++v) {
    ASSERT_EQ(d.variables[v].size(), 8u) << v;
    EXPECT_EQ(rows[0][v], d.variables[v][0]);
  }
}

TEST_F(KivgenBench, EveryLineReadsBackIntoTheDeclaredFieldsAndTheSameText) {
  const auto rows = test::read_rows(file("kivora.csv"));
  const auto lines = test::read_lines(file("kivora.csv"));
  ASSERT_EQ(rows.size(), lines.size());
  const std::vector<VarSpec> vars = bench_variables(40, options.seed);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), 40u) << lines[r];
    // Writing the fields again must give the line: a field quoted wrongly
    // would have been split or merged by the reader.
    std::string again;
    for (std::size_t v = 0; v < rows[r].size(); ++v) {
      if (v != 0) again += ',';
      const bool text = r > 0 && vars[v].type == VarType::String;
      if (text && rows[r][v] != ".") {
        append_string_field(again, rows[r][v]);
      } else {
        again += rows[r][v];
      }
    }
    EXPECT_EQ(again, lines[r]);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(KivgenBench, KeysAgreeWithTheWrittenStateLists) {
  const StateSystem states = StateSystem::read_cow_file(file("states-bench.csv"));
  const StateSystem majors = StateSystem::read_cow_file(file("majors-bench.csv"));
  for (const CowState& s : states.states()) {
    ASSERT_EQ(s.periods.size(), 1u);
    EXPECT_EQ(s.periods[0].first_year, 1800);
    EXPECT_EQ(s.periods[0].last_year, 2025);
    EXPECT_NE(home_region_code(s.ccode), -99) << s.ccode;
  }
  for (const CowState& m : majors.states()) EXPECT_NE(states.find(m.ccode), nullptr);
  const auto rows = test::read_rows(file("kivora.csv"));
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const int numcode = std::stoi(rows[r][0]);
    const int ccode = std::stoi(rows[r][3]);
    EXPECT_EQ(numcode / 100, ccode);
    EXPECT_GE(numcode % 100, 1);
    EXPECT_LE(numcode % 100, 9);
    EXPECT_TRUE(states.is_state(ccode, std::stoi(rows[r][2])));
    EXPECT_EQ(std::stoi(rows[r][4]), home_region_code(ccode));
  }
}

TEST_F(KivgenBench, ConfigurationReadsWithoutAMessageAndNamesTheWrittenFiles) {
  // Read as the program reads it, with the benchmark folder as program folder.
  dir.write("Tandrel.ini", tandrel::test::read_file(file("Tandrel.ini")));
  tandrel::initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
  EXPECT_TRUE(messages().empty());
  const tandrel::configuration_type& c = g.configuration;
  EXPECT_EQ(c.first_nation_year, 1800);
  EXPECT_EQ(c.last_nation_year, 2025);
  const std::string prog = dir.path() + "/";
  EXPECT_EQ(c.kiv_interface_file_name, prog + "kivora.mdf");
  EXPECT_EQ(c.nation_list_file_name, prog + "states-bench.csv");
  EXPECT_EQ(c.major_list_file_name, prog + "majors-bench.csv");
  EXPECT_EQ(c.tandrel_doc_file_name, prog + "docs/tandrel.html");
  for (const std::string& name :
       {c.kiv_interface_file_name, c.nation_list_file_name, c.major_list_file_name}) {
    EXPECT_TRUE(std::filesystem::exists(file(name.substr(prog.size())))) << name;
  }
}

TEST_F(KivgenBench, TheSameSeedWritesTheSameBytesAndAnotherSeedOthers) {
  BenchOptions again = options;
  again.out_dir = dir.file("again");
  write_bench(again);
  BenchOptions other = options;
  other.out_dir = dir.file("other");
  other.seed = options.seed + 1;
  write_bench(other);
  for (const char* name : {"kivora.mdf", "kivora.csv", "states-bench.csv", "Tandrel.ini"}) {
    EXPECT_EQ(tandrel::test::read_file(file(name)),
              tandrel::test::read_file(again.out_dir + "/" + name))
        << name;
  }
  EXPECT_NE(tandrel::test::read_file(file("kivora.csv")),
            tandrel::test::read_file(other.out_dir + "/kivora.csv"));
}

TEST(KivgenBenchPlan, TheLargestGroupCountFitsTheNumberingAndTheStateLimit) {
  const StateSystem states = bench_state_system(1001, kBenchSeed);
  EXPECT_LE(states.states().size(), 250u);
  const auto groups = plan_bench_groups(states, 1001, 2000, 2001, kBenchSeed);
  ASSERT_EQ(groups.size(), 1001u);
  std::set<int> numcodes;
  std::map<int, int> per_state;
  for (const GroupPlan& g : groups) {
    EXPECT_NE(g.numcode % 100, 0);
    EXPECT_EQ(g.numcode / 100, g.ccode);
    numcodes.insert(g.numcode);
    ++per_state[g.ccode];
    EXPECT_EQ(g.years, (std::vector<int>{2000, 2001}));
  }
  EXPECT_EQ(numcodes.size(), 1001u);
  for (const auto& [ccode, n] : per_state) EXPECT_LE(n, 9) << ccode;
}

TEST(KivgenBenchPlan, VariablesMixTypesOnContiguousTabsOfOneLabel) {
  const std::vector<VarSpec> vars = bench_variables(1500, kBenchSeed);
  ASSERT_EQ(vars.size(), 1500u);
  std::map<VarType, int> types;
  std::map<int, std::set<std::string>> labels;
  std::map<int, int> sizes;
  std::set<std::string> names;
  for (std::size_t i = 6; i < vars.size(); ++i) {
    ++types[vars[i].type];
    names.insert(vars[i].name);
  }
  for (const VarSpec& v : vars) {
    labels[v.tab].insert(v.tab_label);
    ++sizes[v.tab];
  }
  EXPECT_EQ(names.size(), 1494u);
  EXPECT_NEAR(types[VarType::Integer] / 1494.0, 0.70, 0.04);
  EXPECT_NEAR(types[VarType::Real] / 1494.0, 0.25, 0.04);
  EXPECT_NEAR(types[VarType::String] / 1494.0, 0.05, 0.02);
  EXPECT_EQ(labels.begin()->first, 1);
  EXPECT_EQ(labels.rbegin()->first, static_cast<int>(labels.size()));
  for (const auto& [tab, l] : labels) EXPECT_EQ(l.size(), 1u) << tab;
  for (const auto& [tab, n] : sizes) EXPECT_LE(n, 150) << tab;
}

}  // namespace
}  // namespace kivgen
