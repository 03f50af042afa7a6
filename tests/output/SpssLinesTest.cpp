#include "output/SpssLines.h"

#include <gtest/gtest.h>

namespace tandrel {
namespace {

using Lines = std::vector<std::string>;

std::string repeat(const std::string& word, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (i ? " " : "") + word;
  return out;
}

struct PieceCase {
  const char* what;
  std::string line;
  Lines expected;
};

const std::string kNames = "  / " + repeat("abcdefgh", 20) + " .";

const PieceCase kCases[] = {
    {"a line that fits stays", "missing values x (-99).", {"missing values x (-99)."}},
    {"80 characters fit", std::string(80, 'x'), {std::string(80, 'x')}},
    {"data list names break between names",
     kNames,
     {"  / " + repeat("abcdefgh", 8), " " + repeat("abcdefgh", 8),
      " " + repeat("abcdefgh", 4) + " ."}},
    {"trailing blanks go rather than make a blank line",
     " x \"" + std::string(75, 'l') + "\" ",
     {" x \"" + std::string(75, 'l') + "\""}},
    {"a label breaks outside its quotes",
     " some_variable_name \"" + std::string(70, 'l') + "\" ",
     {" some_variable_name", " \"" + std::string(70, 'l') + "\""}},
    {"a quoted text longer than a line is joined by +",
     "data list free file=\"" + std::string(100, 'p') + "\"",
     {"data list free file=", " \"" + std::string(75, 'p') + "\" +",
      " \"" + std::string(25, 'p') + "\""}},
    {"a comment without blanks is cut within its word",
     "* " + std::string(100, 'x'),
     {"*", " " + std::string(79, 'x'), " " + std::string(21, 'x')}},
    {"a comment never breaks after a full stop",
     "* " + repeat("word", 12) + " scholars.  When presenting " + repeat("more", 3),
     {"* " + repeat("word", 12) + " scholars.  When", " presenting " + repeat("more", 3)}},
    // The marker before a run of text columns must not begin a piece, nor may
    // anything else PSPP reads as a comment or the end of the command.
    {"no piece starts with the text marker",
     "  / " + repeat("abcdefgh", 7) + " abcdefg * text (A80) rest .",
     {"  / " + repeat("abcdefgh", 7) + " abcdefg *", " text (A80) rest ."}},
    {"no piece starts with a full stop, + or -",
     "  / " + repeat("abcdefgh", 7) + " abcdefg . + - /* x",
     {"  / " + repeat("abcdefgh", 7), " abcdefg . + - /* x"}},
    {"a comment cut within a word does not start a piece with *",
     "*" + std::string(78, 'y') + "**zz",
     {"*" + std::string(77, 'y'), " y**zz"}},
};

class SpssLinePieces : public ::testing::TestWithParam<PieceCase> {};

TEST_P(SpssLinePieces, FitEightyColumnsAndContinueWithABlank) {
  const PieceCase& c = GetParam();
  const Lines pieces = spss_line_pieces(c.line);
  EXPECT_EQ(pieces, c.expected) << c.what;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_LE(pieces[i].size(), kSpssLineLength) << c.what;
    if (i > 0) {
      EXPECT_EQ(pieces[i].front(), ' ') << c.what;
      ASSERT_GT(pieces[i].size(), 1U) << c.what;
      EXPECT_EQ(std::string("*.+-").find(pieces[i][1]), std::string::npos) << c.what;
    }
    if (i + 1 < pieces.size()) {
      EXPECT_NE(pieces[i].back(), '.') << c.what;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SpssLinePieces, ::testing::ValuesIn(kCases));

TEST(SpssLines, EveryLineOfAFileInItsPieces) {
  EXPECT_EQ(fitted_spss_lines({"execute.", kNames, "."}).size(), 5U);
}

}  // namespace
}  // namespace tandrel
