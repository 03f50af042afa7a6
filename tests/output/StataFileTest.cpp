#include <gtest/gtest.h>

#include "output/CommandFileTestSupport.h"
#include "output/CommandFiles.h"

namespace tandrel {
namespace {

using test::columns_of;
using test::integer;
using test::slice;
using test::text;
using Lines = std::vector<std::string>;

class StataFile : public test::CommandFileFixture {};

TEST_F(StataFile, MemoryEstimateRoundsHalvesToEven) {
  const struct {
    int variables, lines;
    std::string expected;
  } cases[] = {
      {3, 0, "set memory 2000k;"},
      {8, 1000, "set memory 2112k;"},  // 10 columns: 88000 bytes, 86 kb, 112
      {5, 8, "set memory 2000k;"},     // 512 bytes: half a kb rounds to 0
      {5, 24, "set memory 2003k;"},    // 1.5 kb gives 2, 2.6 gives 3
  };
  for (const auto& c : cases) {
    std::vector<test::TestVariable> variables;
    for (int v = 0; v < c.variables; ++v) variables.push_back(integer("v" + std::to_string(v)));
    test::TestColumns columns = columns_of(variables, false);
    EXPECT_EQ(stata_lines(input(columns, c.lines))[15], c.expected) << c.lines;
  }
}

TEST_F(StataFile, InfileWithOneColumnAndMergedDropLine) {
  test::TestColumns one;
  one.lists.names = {"x"};
  one.lists.types = {"float"};
  one.lists.missing_codes = {"-9"};
  one.lists.labels = {"x label"};
  EXPECT_EQ(stata_lines(input(one, 1))[16],
            "infile float x using \"" + selections.output_format.output_file_name + "\";");

  test::TestColumns merged = columns_of({integer("numcode"), integer("year")}, true);
  EXPECT_EQ(stata_lines(input(merged, 1, true))[21],
            "drop if missing(numcode_min) | missing(year_min);");
}

TEST_F(StataFile, LongTextsAreNoLongerCutByTheStringDeclaration) {
  test::TestColumns c = columns_of({text("group"), integer("year"), text("note")}, false);
  const struct {
    std::size_t longest;
    std::string group, note;
  } cases[] = {
      {0, "str32 group", "str32 note"},
      {45, "str45 group", "str45 note"},
      {5000, "str2045 group", "str2045 note"},  // the widest Stata allows
  };
  for (const auto& k : cases) {
    CommandFileInput in = input(c, 2);
    in.longest_text = k.longest;
    const std::string infile = stata_lines(in)[16];
    EXPECT_NE(infile.find("long year_2 " + k.group + " long year " + k.note + " using"),
              std::string::npos)
        << infile;
  }
  EXPECT_EQ(c.lists.types[2], "str32");  // the lists keep their type word
}

// Stata refuses the whole infile over one name longer than 32 characters.
TEST_F(StataFile, NamesLongerThanStataTakesAreCutTheSameWayEverywhere) {
  test::TestColumns c =
      columns_of({integer("numcode"), integer("lang_instruction_restriction_lvl")}, true);
  const Lines lines = stata_lines(input(c, 2, true));
  const std::string mean = "lang_instruction_restriction_lvl";  // from ..._mean, 37
  const std::string min = "lang_instruction_restriction_l01";   // ..._min cut meets it
  const std::string max = "lang_instruction_restriction_l02";
  auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_NE(lines[16].find("float " + mean + " long " + min + " long " + max + " long agg_cnt"),
            std::string::npos)
      << lines[16];
  for (const std::string& name : {mean, min, max})
    EXPECT_TRUE(has("mvdecode " + name + ", mv(-99);")) << name;
  EXPECT_TRUE(
      has("label variable " + min + " \"Minimum - lang_instruction_restriction_lvl label\";"));
  // The variable table names the same columns.
  EXPECT_TRUE(has("*  lang_instruction_restriction_lvl" + min + max + mean)) << "table";
  for (const std::string& line : lines) EXPECT_EQ(line.find("_lvl_m"), std::string::npos) << line;
}

// A long column whose values pass Stata's long is declared double, as the
// .dta stores it; a label is cut to Stata's 80 bytes where a character starts.
TEST_F(StataFile, DeclaresDoubleBeyondLongAndCutsLabelsAsTheDtaDoes) {
  test::TestColumns c = columns_of({integer("small"), integer("big")}, false);
  c.lists.labels[3] = std::string(79, 'l') + "\xC3\xBC and more";
  CommandFileInput in = input(c, 2);
  in.beyond_long = {false, false, false, true};
  const Lines lines = stata_lines(in);
  EXPECT_NE(lines[16].find("long small double big using"), std::string::npos) << lines[16];
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "label variable big \"" + std::string(79, 'l') + "\";"),
      lines.end());
}

TEST_F(StataFile, ALabelWithAQuoteGoesBetweenCompoundQuotes) {
  test::TestColumns c = columns_of({integer("x")}, false);
  c.lists.labels[2] = "the \"x\" count";
  const Lines lines = stata_lines(input(c, 1));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "label variable x `\"the \"x\" count\"';"),
            lines.end());
}

}  // namespace
}  // namespace tandrel
