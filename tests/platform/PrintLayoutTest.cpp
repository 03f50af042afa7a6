// Fitting printed lines to the page: no character is lost, no piece is
// wider than the page, tabs stop at their columns.

#include "platform/PrintLayout.h"

#include <gtest/gtest.h>

namespace tandrel::platform {
namespace {

// The line the pieces came from: the first piece, then each further one
// without its mark.
std::u32string joined(const std::vector<std::u32string>& pieces) {
  std::u32string line = pieces.front();
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].substr(0, kContinuationMark.size()), kContinuationMark);
    line += pieces[i].substr(kContinuationMark.size());
  }
  return line;
}

struct WrapCase {
  std::size_t length;
  std::size_t width;
  std::size_t pieces;
};

class WrapLine : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapLine, KeepsEveryCharacterWithinTheWidth) {
  const WrapCase c = GetParam();
  std::u32string line;
  for (std::size_t i = 0; i < c.length; ++i) line.push_back(U'a' + static_cast<char32_t>(i % 26));
  const auto pieces = wrap_line(line, c.width);
  EXPECT_EQ(pieces.size(), c.pieces);
  EXPECT_EQ(joined(pieces), line);
  for (const auto& piece : pieces) EXPECT_LE(piece.size(), std::max<std::size_t>(c.width, 3));
}

INSTANTIATE_TEST_SUITE_P(Lengths, WrapLine,
                         ::testing::Values(WrapCase{0, 80, 1}, WrapCase{80, 80, 1},
                                           WrapCase{81, 80, 2}, WrapCase{158, 80, 2},
                                           WrapCase{159, 80, 3}, WrapCase{400, 90, 5},
                                           WrapCase{5, 0, 3}, WrapCase{5, 1, 3}));

TEST(ExpandTabs, StopsAtEveryEighthColumn) {
  EXPECT_EQ(expand_tabs(U"a\tbc\t\td"), U"a       bc              d");
  EXPECT_EQ(expand_tabs(U"12345678\tx"), U"12345678        x");
  EXPECT_EQ(expand_tabs(U""), U"");
}

TEST(PageHeader, NamesTheDataSetAndThePageAtTheRightEdge) {
  EXPECT_EQ(page_header("states5.csv", 3, 24), "states5.csv       Page 3");
  EXPECT_EQ(page_header("a-very-long-name.csv", 12, 10), "a-very-long-name.csv Page 12");
}

}  // namespace
}  // namespace tandrel::platform
