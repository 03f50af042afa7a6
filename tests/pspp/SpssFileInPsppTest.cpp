#include <gtest/gtest.h>

#include <set>

#include "output/CommandFiles.h"
#include "output/DataLine.h"
#include "output/Destination.h"
#include "output/OutputColumns.h"
#include "output/OutputFiles.h"
#include "pspp/PsppSupport.h"
#include "reference/DataSetListing.h"
#include "support/GlobalsFixture.h"

namespace tandrel {
namespace {

using test::DataFile;
using test::PsppReading;
using Names = std::vector<std::string>;

#define SKIP_WITHOUT_PSPP()                                                         \
  if (!test::pspp_available()) {                                                    \
    GTEST_SKIP() << "pspp is not installed, so no SPSS file can be read by a real " \
                    "client";                                                       \
  }

bool shortened_in_spss(const std::string& name) {
  auto ends = [&name](const std::string& s) {
    return name.size() >= s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0;
  };
  return name.size() > 8 && (ends("_min") || ends("_max") || ends("_mean"));
}

// PSPP knows every column under the header's name, or under a name of at
// most eight characters where the header's carries an aggregate suffix, and
// no name twice.
void expect_names(const PsppReading& pspp, const Names& header) {
  ASSERT_EQ(pspp.variables.size(), header.size());
  std::set<std::string> seen;
  for (std::size_t v = 0; v < header.size(); ++v) {
    const std::string& name = pspp.variables[v].name;
    if (shortened_in_spss(header[v])) {
      EXPECT_LE(name.size(), 8U) << header[v];
    } else {
      EXPECT_EQ(name, header[v]);
    }
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(seen.insert(lower).second) << "repeated name " << name;
  }
}

struct BatchRun {
  std::string name;
  Names options;  // besides --out and --spss
  char separator;
  bool header;
  Names names;  // expected names of a run without a header line
  bool broken = false;
};

void PrintTo(const BatchRun& run, std::ostream* os) {
  *os << run.name;
}

class PsppReadsBatchRun : public ::testing::TestWithParam<BatchRun> {};

TEST_P(PsppReadsBatchRun, EveryCaseWithItsNamesTextsAndMissingCodes) {
  SKIP_WITHOUT_PSPP();
  const BatchRun& run = GetParam();
  test::TempDir dir;
  const std::string data = dir.file("kiv data.csv");
  std::string command =
      test::shell_quote(TANDREL_BATCH_EXE) + " --out " + test::shell_quote(data) + " --spss";
  for (const std::string& option : run.options) command += " " + test::shell_quote(option);
  ASSERT_EQ(test::run_shell(command + " >" + test::shell_quote(dir.file("batch.log")) + " 2>&1"), 0)
      << test::read_file(dir.file("batch.log"));

  const DataFile file = test::read_data_file(data, run.separator, run.header);
  const PsppReading pspp = test::read_with_pspp(data + ".sps", dir);
  test::expect_same_data(pspp, file);
  expect_names(pspp, run.header ? file.header : run.names);
  if (run.broken) {
    EXPECT_GT(file.physical_lines, file.records.size() + 1) << "no line was broken";
  }
}

const Names kIdentifiers = {"year_1", "year_2", "numcode", "group", "year", "ccode", "region"};

Names with_identifiers(Names more) {
  Names names = kIdentifiers;
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PsppReadsBatchRun,
    ::testing::Values(
        // Strings early (group), as a run in the middle, and last.
        BatchRun{"GroupAnnualWithHeader",
                 {"--years", "1990:1994", "--vars",
                  "alt_names,lang_family,religion_main,group_pop_share,coder_note"},
                 ',',
                 true,
                 {}},
        BatchRun{"StateFiveYearMerged",
                 {"--unit", "state", "--period", "5", "--years", "1990:1999", "--vars",
                  "econ_grievance,cult_grievance,religion_main,coder_note"},
                 ',',
                 true,
                 {}},
        BatchRun{"WithoutHeaderSpaceSeparated",
                 {"--no-header", "--sep", "space", "--years", "1990:1992", "--vars",
                  "lang_family,group_pop_share"},
                 ' ',
                 false,
                 with_identifiers({"lang_family", "group_pop_share"})},
        BatchRun{"RegionTwoYearTabSeparated",
                 {"--sep", "tab", "--unit", "region", "--period", "2", "--years", "1990:1995",
                  "--vars", "coder_note,settlement_pattern"},
                 '\t',
                 true,
                 {}},
        BatchRun{"WideLinesBrokenForLimdep",
                 {"--limdep", "--years", "1990:1991", "--vars", "all"},
                 ',',
                 true,
                 {},
                 true},
        BatchRun{"WideMergedLinesBrokenForLimdepSpaceSeparated",
                 {"--limdep", "--sep", "space", "--unit", "state", "--period", "10", "--years",
                  "1990:1999", "--vars", "all"},
                 ' ',
                 true,
                 {},
                 true}),
    [](const auto& info) { return info.param.name; });

// The batch leaves string variables out when LIMDEP is requested, so lines
// that are broken for LIMDEP and hold texts are written here directly.
class PsppReadsBrokenLinesWithTexts : public test::GlobalsFixture {
 protected:
  static constexpr int kReals = 60;
  static constexpr int kLines = 40;

  static Tuser_data_set_listing_obj listing() {
    data_set_info_record ds;
    auto add = [&ds](const std::string& name, std::int16_t type) {
      one_var_data_type v;
      v.var_name = name;
      v.var_type = type;
      v.missing_value = -99;
      v.description = name + " label";
      ds.variables.push_back(v);
    };
    add("numcode", kVarTypeInteger);
    add("group", kVarTypeString);
    for (int r = 0; r < kReals; ++r) {
      add("r" + std::to_string(r), kVarTypeReal);
      if (r % 4 == 1) add("t" + std::to_string(r), kVarTypeString);
    }
    return Tuser_data_set_listing_obj(std::vector<data_set_info_record>{ds});
  }

  // Texts of growing length hold separators and blanks, so on some lines the
  // 400th character falls inside one; the last is longer than 80.
  static std::string text_of(int line, int variable) {
    std::string text = "x" + std::string(static_cast<std::size_t>(line % 20), 'q') + ", y\tz";
    if (line == kLines - 1 && variable == 1) text += std::string(100, 'L');
    return text;
  }

  static TaggedValue value_of(std::int16_t type, int line, int variable) {
    if (type == kVarTypeString) return TaggedValue::text(text_of(line, variable));
    if (type == kVarTypeInteger) return TaggedValue::int32(200 + line);
    return TaggedValue::real(line * 0.25 + variable);
  }
};

TEST_F(PsppReadsBrokenLinesWithTexts, NoTextIsSplitAndEveryTextIsWhole) {
  SKIP_WITHOUT_PSPP();
  for (separator_type sep : {separator_type::SepComma, separator_type::SepTab}) {
    Tuser_data_set_listing_obj description = listing();
    user_selection_type s;
    s.output_format.destination = output_destination_type::DestFile;
    s.output_format.output_file_name = dir.file("broken.csv");
    s.output_format.separator = sep;
    s.output_format.command_files.include(command_file_type::CmdSPSS);
    s.output_format.command_files.include(command_file_type::CmdLIMDEP);
    const auto count = description.data_set(0).variables.size();
    for (std::size_t v = 0; v < count; ++v)
      s.variable_selections.variable_columns.push_back(static_cast<std::int32_t>(v));

    display_output_array_type rows;
    output_variable_lists lists;
    std::string header, separator;
    set_header(description, false, s, rows, lists, header, separator);
    OutputFiles files;
    OutputChannel channel;
    bool opened = false;
    open_output(s, channel, opened, &files);
    write_header(channel, s, header);
    std::string line;
    for (int l = 0; l < kLines; ++l) {
      line.clear();
      setoneouputvalue(line, TaggedValue::int32(1990), 4, 0, separator);
      setoneouputvalue(line, TaggedValue::int32(1990), 4, 0, separator);
      for (std::size_t v = 0; v < count; ++v) {
        const std::int16_t type = description.get_var_type(0, static_cast<std::int32_t>(v));
        setoneouputvalue(line, value_of(type, l, static_cast<int>(v)), 10, 8, separator);
      }
      write_data_line(line, channel, s, separator);
    }
    channel.flush();  // as the run does before the command files
    write_command_files(s, kLines, separator, false, rows, lists, &files);
    close_output(s, channel);
    files.commit();

    const DataFile file =
        test::read_data_file(s.output_format.output_file_name, separator.front(), true);
    ASSERT_EQ(file.records.size(), static_cast<std::size_t>(kLines));
    EXPECT_GT(file.physical_lines, file.records.size() + 1);
    EXPECT_TRUE(file.naive_break_inside_text);
    test::TempDir work;
    const PsppReading pspp = test::read_with_pspp(s.output_format.output_file_name + ".sps", work);
    test::expect_same_data(pspp, file);
    expect_names(pspp, file.header);
  }
}

}  // namespace
}  // namespace tandrel
