// The committed sample data set, read back with the program's own readers:
// it must load without a complaint and still show every feature it exists
// to exercise (gaps, odd names, every kind of missing value, tab layout).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "KivgenReadBack.h"
#include "app/Configuration.h"
#include "kivgen/StateSystem.h"
#include "reference/FieldReaders.h"
#include "reference/TextReader.h"
#include "support/GlobalsFixture.h"

namespace kivgen {
namespace {

const std::string kSampleDir = std::string(TANDREL_SOURCE_DIR) + "/data/sample/";

struct Sample {
  test::Description description;
  std::vector<std::vector<std::string>> rows;  // header first
  std::vector<std::string> lines;
  std::map<int, std::vector<std::pair<int, int>>> periods;  // ccode -> state years
};

// The nation list read with the program's own field readers.
std::map<int, std::vector<std::pair<int, int>>> read_periods(const std::string& path) {
  tandrel::TextReader r = tandrel::TextReader::open_file(path);
  r.readln();
  std::map<int, std::vector<std::pair<int, int>>> periods;
  while (!r.eof()) {
    tandrel::read_csv_string(r);
    const int ccode = tandrel::read_csv_int(r);
    tandrel::read_csv_string(r);
    const int first = tandrel::read_csv_int(r);
    tandrel::read_csv_int(r);
    tandrel::read_csv_int(r);
    periods[ccode].emplace_back(first, tandrel::read_csv_int(r));
    r.readln();
  }
  return periods;
}

// Loaded once; the first test that asks runs inside its own fixture, so any
// message of the readers would land there (and fail ReadsWithoutAComplaint).
const Sample& sample() {
  static const Sample s = [] {
    Sample loaded;
    loaded.description = test::read_description(kSampleDir + "kivora.mdf");
    loaded.rows = test::read_rows(kSampleDir + "kivora.csv");
    loaded.lines = test::read_lines(kSampleDir + "kivora.csv");
    loaded.periods = read_periods(kSampleDir + "states2016.csv");
    return loaded;
  }();
  return s;
}

int column(const std::string& name) {
  const auto& vars = sample().description.variables;
  for (std::size_t v = 0; v < vars.size(); ++v) {
    if (vars[v][0] == name) return static_cast<int>(v);
  }
  ADD_FAILURE() << "no variable " << name;
  return 0;
}

class KivgenSample : public tandrel::test::GlobalsFixture {};

TEST_F(KivgenSample, ReadsWithoutAComplaintIntoTheDeclaredFields) {
  const Sample& s = sample();
  EXPECT_TRUE(messages().empty());
  const std::size_t n = std::stoul(s.description.keys.at("number_of_variables"));
  EXPECT_EQ(s.description.variables.size(), n);
  EXPECT_EQ(std::stoul(s.description.keys.at("number_of_cases")), s.rows.size() - 1);
  EXPECT_EQ(s.description.keys.at("data_file_name"), "kivora.csv");
  EXPECT_EQ(s.description.keys.at("label_line_in_data_file"), "true");
  for (std::size_t v = 0; v < n; ++v) EXPECT_EQ(s.rows[0][v], s.description.variables[v][0]);
  for (std::size_t r = 0; r < s.rows.size(); ++r) ASSERT_EQ(s.rows[r].size(), n) << s.lines[r];
}

TEST_F(KivgenSample, NoLineEndsInAnEmptyField) {
  // A reader that tests for the line end before each field would take such
  // a line for one field short; the sample must load under either reading.
  for (const std::string& line : sample().lines) ASSERT_NE(line.back(), ',') << line;
}

TEST_F(KivgenSample, IdentifiersAgreeWithEachOtherAndWithTheStateSystem) {
  const Sample& s = sample();
  std::map<int, std::set<std::string>> names;
  std::map<int, int> last_year;
  for (std::size_t r = 1; r < s.rows.size(); ++r) {
    const auto& f = s.rows[r];
    const int numcode = std::stoi(f[0]);
    const int year = std::stoi(f[2]);
    const int ccode = std::stoi(f[3]);
    const int region = std::stoi(f[4]);
    ASSERT_EQ(numcode / 100, ccode) << s.lines[r];
    ASSERT_NE(numcode % 100, 0) << s.lines[r];
    ASSERT_TRUE(region == home_region_code(ccode) || (region == -99 && last_year.count(numcode)))
        << "region missing on a group's first line: " << s.lines[r];
    ASSERT_TRUE(year >= 1945 && year <= 2006 && year > last_year[numcode]) << s.lines[r];
    last_year[numcode] = year;
    bool state = false;
    for (const auto& [first, last] : s.periods.at(ccode))
      state = state || (first <= year && year <= last);
    ASSERT_TRUE(state) << "not a state in its year: " << s.lines[r];
    names[numcode].insert(f[1]);
  }
  for (const auto& [numcode, n] : names) EXPECT_EQ(n.size(), 1u) << numcode;
  std::set<int> states;
  for (const auto& [numcode, n] : names) states.insert(numcode / 100);
  EXPECT_GE(names.size(), 280u);
  EXPECT_GE(states.size(), 110u);
}

TEST_F(KivgenSample, SeriesStartLateEndEarlyAndHaveGaps) {
  const Sample& s = sample();
  std::map<int, std::vector<int>> years;
  for (std::size_t r = 1; r < s.rows.size(); ++r) {
    years[std::stoi(s.rows[r][0])].push_back(std::stoi(s.rows[r][2]));
  }
  int late = 0;
  int early = 0;
  int gaps = 0;
  for (const auto& [numcode, y] : years) {
    const auto& periods = s.periods.at(numcode / 100);
    const int state_first = std::max(1945, periods.front().first);
    const int state_last = std::min(2006, periods.back().second);
    late += y.front() > state_first;
    early += y.back() < state_last;
    gaps += y.back() - y.front() + 1 != static_cast<int>(y.size());
  }
  EXPECT_GE(late, 20);
  EXPECT_GE(early, 10);
  EXPECT_GE(gaps, 50);
}

TEST_F(KivgenSample, DiasporaCodesAreSharedAcrossStates) {
  const Sample& s = sample();
  std::map<int, std::set<int>> states_of;
  for (std::size_t r = 1; r < s.rows.size(); ++r) {
    states_of[std::stoi(s.rows[r][5])].insert(std::stoi(s.rows[r][3]));
  }
  ASSERT_TRUE(states_of.count(-99));
  EXPECT_EQ(states_of.count(0), 0u) << "0 is what empty group slots hold";
  int shared = 0;
  for (const auto& [code, st] : states_of) shared += code != -99 && st.size() >= 2;
  EXPECT_GE(shared, 10);
}

TEST_F(KivgenSample, GroupNamesNeedQuotesForBlanksCommasAndApostrophes) {
  const Sample& s = sample();
  std::set<std::string> names;
  for (std::size_t r = 1; r < s.rows.size(); ++r) names.insert(s.rows[r][1]);
  int blanks = 0;
  int commas = 0;
  int apostrophes = 0;
  for (const std::string& n : names) {
    blanks += n.find(' ') != std::string::npos;
    commas += n.find(',') != std::string::npos;
    apostrophes += n.find('\'') != std::string::npos;
    for (char c : n) EXPECT_TRUE(c >= ' ' && c <= '~') << n;
  }
  EXPECT_GE(blanks, 30);
  EXPECT_GE(commas, 5);
  EXPECT_GE(apostrophes, 1);
  int other_quoted_commas = 0;
  for (const char* var : {"alt_names", "religion_main", "rebel_org", "coder_note"}) {
    const int c = column(var);
    for (std::size_t r = 1; r < s.rows.size(); ++r) {
      other_quoted_commas += s.rows[r][c].find(',') != std::string::npos;
    }
  }
  EXPECT_GE(other_quoted_commas, 100);
}

TEST_F(KivgenSample, MissingValuesComeAsCodesBlanksAndPoints) {
  const Sample& s = sample();
  std::map<std::string, int> seen;
  for (std::size_t r = 1; r < s.rows.size(); ++r) {
    for (std::size_t v = 6; v < s.rows[r].size(); ++v) {
      const std::string& f = s.rows[r][v];
      if (f.empty() || f == "." || f == "-99" || f == "-77" || f == "-9") ++seen[f];
    }
  }
  for (const char* form : {"", ".", "-99", "-77", "-9"}) EXPECT_GE(seen[form], 100) << form;
}

TEST_F(KivgenSample, IntervalVariablesAreObservedOnlyInTheirYears) {
  const Sample& s = sample();
  std::set<int> intervals;
  for (std::size_t v = 0; v < s.description.variables.size(); ++v) {
    const auto& d = s.description.variables[v];
    const int interval = std::stoi(d[2]);
    intervals.insert(interval);
    if (interval < 2) continue;
    int observed = 0;
    for (std::size_t r = 1; r < s.rows.size(); ++r) {
      const std::string& f = s.rows[r][v];
      if (f.empty() || f == "." || f == d[7]) continue;
      ++observed;
      EXPECT_EQ(std::stoi(s.rows[r][2]) % interval, 0) << d[0] << " in " << s.rows[r][2];
    }
    EXPECT_GT(observed, 100) << d[0];
  }
  EXPECT_EQ(intervals, (std::set<int>{0, 1, 3, 5}));
}

TEST_F(KivgenSample, VariablesFitTheTabLayoutAndTheNameRules) {
  const auto& vars = sample().description.variables;
  const char* identifiers[] = {"numcode", "group", "year", "ccode", "region", "diaspora"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(vars[i][0], identifiers[i]);
  std::map<int, std::set<std::string>> labels;
  std::map<int, int> sizes;
  std::set<std::string> names;
  int long_names = 0;
  int digit_pairs = 0;
  for (const auto& v : vars) {
    ASSERT_EQ(v.size(), 8u) << v[0];
    EXPECT_TRUE(v[1] == "integer" || v[1] == "real" || v[1] == "string") << v[0];
    EXPECT_LE(v[0].size(), 32u);
    for (char c : v[0]) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
    names.insert(v[0]);
    long_names += v[0].size() > 8;
    digit_pairs += std::isdigit(v[0][v[0].size() - 1]) && std::isdigit(v[0][v[0].size() - 2]);
    std::stoi(v[7]);
    labels[std::stoi(v[3])].insert(v[4]);
    ++sizes[std::stoi(v[3])];
  }
  EXPECT_EQ(names.size(), vars.size());
  EXPECT_GE(vars.size(), 120u);
  EXPECT_GE(long_names, 20);
  EXPECT_EQ(digit_pairs, 1);
  EXPECT_TRUE(names.count("econ_grievance") && names.count("cult_grievance"));
  EXPECT_GE(labels.size(), 6u);
  EXPECT_EQ(labels.rbegin()->first - labels.begin()->first + 1, static_cast<int>(labels.size()));
  for (const auto& [tab, l] : labels) EXPECT_EQ(l.size(), 1u) << tab;
  EXPECT_TRUE(std::any_of(sizes.begin(), sizes.end(), [](const auto& t) { return t.second > 58; }));
}

TEST_F(KivgenSample, ConfigurationReadsWithoutAMessageAndNamesExistingFiles) {
  dir.write("Tandrel.ini", tandrel::test::read_file(kSampleDir + "Tandrel.ini"));
  tandrel::initialize_configuration(g.configuration, g.error_log, "Tandrel.ini");
  EXPECT_TRUE(messages().empty());
  const tandrel::configuration_type& c = g.configuration;
  EXPECT_EQ(c.first_nation_year, 1816);
  EXPECT_EQ(c.last_nation_year, 2016);
  EXPECT_EQ(c.error_file_name, dir.path() + "/tandrel-errors.log");
  const std::string prog = dir.path() + "/";
  for (const std::string& name :
       {c.kiv_interface_file_name, c.kiv_linked_doc_file_name, c.tandrel_doc_file_name,
        c.tandrel_quickstart_file_name, c.nation_list_file_name, c.major_list_file_name}) {
    ASSERT_EQ(name.rfind(prog, 0), 0u) << name;
    EXPECT_TRUE(std::filesystem::exists(kSampleDir + name.substr(prog.size()))) << name;
  }
  EXPECT_EQ(c.saved_settings_file_name, prog + "tandrel-settings.dat");
}

}  // namespace
}  // namespace kivgen
