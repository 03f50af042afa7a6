#include "output/WrittenTexts.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tandrel {
namespace {

struct ScanCase {
  const char* what;
  std::string data;
  char separator;
  bool header;
  std::size_t longest;
  bool quotes;
  bool blanks;
  std::vector<bool> beyond_long;  // three columns
};

const ScanCase kScans[] = {
    {"a doubled quote counts once and is seen",
     "1,\"He said \"\"hi\"\"\",  2\r\n",
     ',',
     false,
     12,
     true,
     false,
     {false, false, false}},
    {"separators and blanks inside a text are its own",
     "1\t\"a, b\tc  \"\t2\r\n",
     '\t',
     false,
     8,
     false,
     true,
     {false, false, false}},
    {"a text of quotes alone",
     "1 \"\"\"\"\"\" 2\r\n",
     ' ',
     false,
     2,
     true,
     false,
     {false, false, false}},
    {"the ends of Stata's long and one past them",
     "2147483620,\"\",-2147483647\r\n2147483621,\"x\",-2147483648\r\n",
     ',',
     false,
     1,
     false,
     false,
     {true, false, true}},
    {"reals and codes are no concern",
     "-99.00000000,\"\",99999999999.5\r\n",
     ',',
     false,
     0,
     false,
     false,
     {false, false, false}},
    {"header names are not values",
     "numcode,note,x12345678901\r\n1,\"ab\",2\r\n",
     ',',
     true,
     2,
     false,
     false,
     {false, false, false}},
    {"a line broken for LIMDEP keeps each field's column",
     "1,\"ab\",\r\n9999999999\r\n2,\"abc\",\r\n3\r\n",
     ',',
     false,
     3,
     false,
     false,
     {false, false, true}},
};

class WrittenTextsScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(WrittenTextsScan, FindsTheFactsTheCommandFilesDeclare) {
  const ScanCase& c = GetParam();
  test::TempDir dir;
  const WrittenTexts facts = written_texts(dir.write("data.csv", c.data), c.separator, c.header, 3);
  EXPECT_EQ(facts.longest_text, c.longest) << c.what;
  EXPECT_EQ(facts.texts_hold_quotes, c.quotes) << c.what;
  EXPECT_EQ(facts.texts_end_in_blanks, c.blanks) << c.what;
  EXPECT_EQ(facts.beyond_long, c.beyond_long) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, WrittenTextsScan, ::testing::ValuesIn(kScans));

TEST(WrittenTexts, AFileThatCannotBeReadGivesNoFacts) {
  const WrittenTexts facts = written_texts("/nonexistent/data.csv", ',', true, 2);
  EXPECT_EQ(facts.longest_text, 0U);
  EXPECT_EQ(facts.beyond_long, (std::vector<bool>{false, false}));
}

TEST(Utf8Prefix, NeverEndsInsideACharacter) {
  const std::string euro = "\xE2\x82\xAC";  // three bytes
  const struct {
    std::string text;
    std::size_t bytes;
    std::string expected;
  } cases[] = {
      {"abc", 5, "abc"},
      {"abc", 2, "ab"},
      {"x" + euro + "y", 1, "x"},
      {"x" + euro + "y", 2, "x"},
      {"x" + euro + "y", 3, "x"},
      {"x" + euro + "y", 4, "x" + euro},
      {"\xC3\xBC\xC3\xBC", 3, "\xC3\xBC"},
      {euro, 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(utf8_prefix(c.text, c.bytes), c.expected) << c.bytes;
}

}  // namespace
}  // namespace tandrel
