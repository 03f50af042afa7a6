#include "pspp/PsppSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace tandrel::test {

namespace {

constexpr std::size_t kNaiveBreak = 400;

// One line of PSPP's CSV: fields split at commas outside double quotes,
// doubled quotes inside them standing for one.
std::vector<std::string> split_csv(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The "Variables" table of DISPLAY DICTIONARY in PSPP's CSV output.
std::vector<PsppVariable> dictionary(const std::vector<std::string>& output) {
  std::vector<PsppVariable> variables;
  auto table = std::find(output.begin(), output.end(), "Table: Variables");
  if (table == output.end() || table + 1 == output.end()) return variables;
  const std::vector<std::string> heads = split_csv(*(table + 1));
  auto column = [&heads](const std::string& name) {
    return static_cast<std::size_t>(std::find(heads.begin(), heads.end(), name) - heads.begin());
  };
  const std::size_t name = column("Name"), format = column("Print Format"),
                    missing = column("Missing Values");
  for (auto it = table + 2; it != output.end() && !it->empty(); ++it) {
    const std::vector<std::string> row = split_csv(*it);
    if (row.size() < heads.size()) continue;  // a continued label
    variables.push_back({row[name], row[format], row[missing]});
  }
  return variables;
}

DataField field_of(std::string text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return {text.substr(1, text.size() - 2), true};
  return {text, false};
}

// Fields of one data line: at each separator outside quotes; with a blank
// separator, at each run of blanks, since numbers are padded with blanks.
DataRecord split_data_line(const std::string& line, char separator) {
  DataRecord record;
  std::string current;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == separator && !quoted) {
      if (separator != ' ' || any) record.push_back(field_of(current));
      current.clear();
      any = false;
      continue;
    }
    current += c;
    any = any || c != ' ';
  }
  if (separator != ' ' || any) record.push_back(field_of(current));
  return record;
}

bool naive_break_splits_text(const std::string& line, char separator) {
  if (line.size() <= 500) return false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (i + 1 >= kNaiveBreak && line[i] == separator) return quoted;
  }
  return false;
}

bool mentions_trouble(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text.find("error") != std::string::npos || text.find("warning") != std::string::npos;
}

}  // namespace

int run_shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shell_quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool pspp_available() {
  return run_shell("command -v pspp >/dev/null 2>&1") == 0;
}

PsppReading read_with_pspp(const std::string& sps, const TempDir& work) {
  const std::string script = work.file("check.sps"), output = work.file("pspp-output.csv"),
                    log = work.file("pspp.log"), cases = work.file("cases.csv");
  write_file(script, read_file(sps) + "display dictionary.\r\nsave translate /outfile=\"" + cases +
                         "\" /type=csv /fieldnames /replace /cells=values.\r\n");
  PsppReading reading;
  reading.status = run_shell("pspp -O format=csv -o " + shell_quote(output) + " " +
                             shell_quote(script) + " >" + shell_quote(log) + " 2>&1");
  reading.messages = read_file(output) + read_file(log);
  reading.variables = dictionary(lines_of(read_file(output)));
  const std::vector<std::string> saved = lines_of(read_file(cases));
  for (std::size_t i = 1; i < saved.size(); ++i) reading.cases.push_back(split_csv(saved[i]));
  return reading;
}

DataFile read_data_file(const std::string& path, char separator, bool header_line) {
  DataFile data;
  std::string logical;
  bool first = true;
  for (const std::string& line : lines_of(read_file(path))) {
    ++data.physical_lines;
    if (first && header_line) {
      for (const DataField& f : split_data_line(line, separator)) data.header.push_back(f.text);
      first = false;
      continue;
    }
    first = false;
    logical += line;
    // A line broken for LIMDEP ends with the separator; a value never does.
    if (!line.empty() && line.back() == separator) continue;
    data.naive_break_inside_text =
        data.naive_break_inside_text || naive_break_splits_text(logical, separator);
    data.records.push_back(split_data_line(logical, separator));
    logical.clear();
  }
  return data;
}

void expect_same_data(const PsppReading& pspp, const DataFile& data) {
  EXPECT_EQ(pspp.status, 0) << pspp.messages;
  EXPECT_FALSE(mentions_trouble(pspp.messages)) << pspp.messages;
  ASSERT_FALSE(data.records.empty());
  const std::size_t columns = data.records.front().size();
  ASSERT_EQ(pspp.variables.size(), columns) << pspp.messages;
  ASSERT_EQ(pspp.cases.size(), data.records.size());
  for (std::size_t v = 0; v < columns; ++v) {
    const bool texts = std::any_of(data.records.begin(), data.records.end(),
                                   [v](const DataRecord& r) { return r[v].quoted; });
    const PsppVariable& variable = pspp.variables[v];
    EXPECT_EQ(variable.is_string(), texts) << variable.name << " " << variable.format;
    EXPECT_EQ(variable.missing.empty(), texts) << variable.name << " missing values";
  }
  for (std::size_t c = 0; c < data.records.size(); ++c) {
    const DataRecord& record = data.records[c];
    ASSERT_EQ(record.size(), columns) << "data line " << c;
    ASSERT_EQ(pspp.cases[c].size(), columns) << "case " << c;
    for (std::size_t v = 0; v < columns; ++v) {
      const std::string& got = pspp.cases[c][v];
      if (pspp.variables[v].is_string()) {
        EXPECT_EQ(got, record[v].text) << pspp.variables[v].name << " case " << c;
      } else {
        const double expected = std::stod(record[v].text);
        EXPECT_NEAR(std::stod(got.empty() ? "nan" : got), expected,
                    1e-9 * std::max(1.0, std::abs(expected)))
            << pspp.variables[v].name << " case " << c;
      }
    }
  }
}

}  // namespace tandrel::test
