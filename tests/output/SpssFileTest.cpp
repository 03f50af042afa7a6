#include <gtest/gtest.h>

#include "output/CommandFileTestSupport.h"

namespace tandrel {
namespace {

using test::columns_of;
using test::integer;
using test::text;
using Lines = std::vector<std::string>;

// The position of the data list command, which the names follow.
std::size_t data_list_at(const Lines& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind("data list", 0) == 0) return i;
  return lines.size();
}

std::string names_line(const Lines& lines) {
  const std::size_t at = data_list_at(lines) + 1;
  return at < lines.size() ? lines[at] : "";
}

class SpssFile : public test::CommandFileFixture {
 protected:
  // Columns c0, c1, ... of the given type words.
  static test::TestColumns typed(const Lines& types) {
    test::TestColumns c;
    for (std::size_t i = 0; i < types.size(); ++i) {
      c.lists.names.push_back("c" + std::to_string(i));
      c.lists.types.push_back(types[i]);
      c.lists.missing_codes.push_back("-99");
      c.lists.labels.push_back("label");
    }
    return c;
  }
};

TEST_F(SpssFile, StringMarkBeforeTheFirstOfEachRunOfStrings) {
  const struct {
    Lines types;
    std::string expected;
  } cases[] = {
      {{"str32", "long"}, "  / c0 (A80) c1 ."},
      {{"long", "str32", "str32", "float", "str32"}, "  / c0 * c1 (A80) c2 (A80) c3 * c4 (A80) ."},
  };
  for (const auto& k : cases) {
    test::TestColumns c = typed(k.types);
    CommandFileInput in = input(c, 1);
    const Lines lines = spss_lines(in);
    EXPECT_EQ(names_line(lines), k.expected);
    // Strings get no missing values line.
    for (std::size_t i = 0; i < k.types.size(); ++i) {
      const std::string missing = "missing values c" + std::to_string(i) + " (-99).";
      EXPECT_EQ(std::count(lines.begin(), lines.end(), missing), k.types[i] == "str32" ? 0 : 1);
    }
  }
}

TEST_F(SpssFile, MergedSelectNoLongerNamesTheAbsentNumcode) {
  test::TestColumns c = columns_of({integer("numcode"), integer("year")}, true);
  CommandFileInput in = input(c, 2, true);
  const Lines lines = spss_lines(in);
  EXPECT_EQ(names_line(lines),
            "  / year_1 year_2 numcdeme numcodmn numcodmx yearme year_min year_max agg_cnt .");
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "select if not missing (numcodmn) and not sysmis(numcodmn)."),
            lines.end());
}

TEST_F(SpssFile, HeaderLineIsSkippedNotReadIntoWarnings) {
  test::TestColumns c = typed({"long"});
  const std::string f = selections.output_format.output_file_name;
  CommandFileInput with_header = input(c, 1);
  const Lines with = spss_lines(with_header);
  EXPECT_EQ(with[data_list_at(with)],
            "data list free file=\"" + f + "\" encoding=\"UTF-8\" skip=1");
  selections.output_format.header_line = false;
  CommandFileInput without_header = input(c, 1);
  const Lines without = spss_lines(without_header);
  EXPECT_EQ(without[data_list_at(without)], "data list free file=\"" + f + "\" encoding=\"UTF-8\"");
}

TEST_F(SpssFile, TextsLongerThan80AreNotCut) {
  test::TestColumns c = typed({"str32"});
  CommandFileInput in = input(c, 1);
  in.longest_text = 120;
  EXPECT_EQ(names_line(spss_lines(in)), "  / c0 (A120) .");
}

// Names over SPSS's 64 bytes are cut as the .sav cuts them, and where two
// cuts meet the second is numbered; the table below the data list follows.
TEST_F(SpssFile, NamesOver64BytesAreCutToUniqueNames) {
  const std::string stem(64, 'n');
  test::TestColumns c = columns_of({integer(stem + "ab"), integer(stem + "cd")}, false);
  CommandFileInput in = input(c, 1);
  const Lines lines = spss_lines(in);
  const std::string second = stem.substr(0, 62) + "01";
  EXPECT_EQ(c.lists.names[2], stem);
  EXPECT_EQ(c.lists.names[3], second);
  EXPECT_EQ(c.rows[3].name, second);
  // The commands with their continuation pieces joined again.
  std::string commands;
  for (const std::string& line : lines) {
    if (line.rfind("execute.", 0) == 0 && commands.find("variable labels") != std::string::npos)
      break;
    commands += (line.empty() || line.front() != ' ' ? "\n" : "") + line;
  }
  EXPECT_EQ(commands.find(" " + stem + "ab"), std::string::npos) << commands;  // labels keep it
  EXPECT_NE(commands.find("missing values " + second + " (-99)."), std::string::npos);
  EXPECT_NE(commands.find(" " + second + " ."), std::string::npos);
}

TEST_F(SpssFile, ALabelWithAQuoteHasItWrittenTwice) {
  test::TestColumns c = typed({"long"});
  c.lists.labels[0] = "the \"c0\" count";
  CommandFileInput in = input(c, 1);
  const Lines lines = spss_lines(in);
  EXPECT_NE(std::find(lines.begin(), lines.end(), " c0 \"the \"\"c0\"\" count\" "), lines.end());
}

}  // namespace
}  // namespace tandrel
