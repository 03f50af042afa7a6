#include "output/NativeSpill.h"

#include <atomic>
#include <climits>
#include <cstdint>
#include <thread>

#include <gtest/gtest.h>

#include "output/OutputTestSupport.h"

namespace tandrel {
namespace {

using Row = std::vector<TaggedValue>;

std::vector<Row> read_all(const NativeRows& rows) {
  std::vector<Row> out;
  rows.for_each_row(
      [&](const TaggedValue* cells) { out.emplace_back(cells, cells + rows.columns()); });
  return out;
}

class NativeSpillRows : public test::OutputFixture {};

// Every kind of cell comes back with its value, as often as it is read, and
// rows added after a reading follow the earlier ones.
TEST_F(NativeSpillRows, KeepEveryKindOfCellAcrossReadings) {
  const Row first = {TaggedValue::int32(-2147483647 - 1), TaggedValue::int64(3000000000LL),
                     TaggedValue::real(0.125), TaggedValue::text("He said \"hi\""), TaggedValue()};
  const Row second = {TaggedValue::boolean(true), TaggedValue::int8(-5), TaggedValue::real(-99.0),
                      TaggedValue::text(""), TaggedValue::int16(7)};
  NativeSpill spill(5);
  spill.append(first.data());
  EXPECT_EQ(read_all(spill).size(), 1U);
  spill.append(second.data());
  for (int reading = 0; reading < 2; ++reading) {
    const std::vector<Row> rows = read_all(spill);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0][0].to_int(), -2147483648LL);
    EXPECT_EQ(rows[0][1].to_int(), 3000000000LL);
    EXPECT_EQ(rows[0][2].to_double(), 0.125);
    EXPECT_EQ(rows[0][3].text_ref(), "He said \"hi\"");
    EXPECT_TRUE(rows[0][4].is_empty());
    EXPECT_EQ(rows[1][0].to_int(), 1);
    EXPECT_EQ(rows[1][1].to_int(), -5);
    EXPECT_TRUE(rows[1][2].is_real());
    EXPECT_EQ(rows[1][3].text_ref(), "");
    EXPECT_EQ(rows[1][4].to_int(), 7);
  }
}

// More rows than the buffer holds reach the file and come back in order.
TEST_F(NativeSpillRows, ManyRowsComeBackInOrder) {
  NativeSpill spill(3);
  const int count = 200000;
  for (int r = 0; r < count; ++r) {
    const Row row = {TaggedValue::int32(r), TaggedValue::real(r / 2.0), TaggedValue::text("t")};
    spill.append(row.data());
  }
  EXPECT_EQ(spill.rows(), static_cast<std::size_t>(count));
  int expected = 0;
  bool in_order = true;
  spill.for_each_row([&](const TaggedValue* cells) {
    in_order = in_order && cells[0].to_int() == expected && cells[1].to_double() == expected / 2.0;
    ++expected;
  });
  EXPECT_TRUE(in_order);
  EXPECT_EQ(expected, count);
}

// Cells take as few bytes as keep them, so rows differ in length and straddle
// the reads; two threads reading at once each get every row, and the facts
// gathered as the rows came equal those of a reading.
TEST_F(NativeSpillRows, RowsOfEveryLengthComeBackWholeOnTwoThreadsAtOnce) {
  const std::int64_t edges[] = {INT32_MAX, std::int64_t{INT32_MAX} + 1, INT32_MIN,
                                std::int64_t{INT32_MIN} - 1, 0};
  auto row_of = [&](int r) {
    Row row = {TaggedValue::int64(edges[r % 5]), TaggedValue(), TaggedValue::int32(r),
               TaggedValue::text(std::string(static_cast<std::size_t>(r % 7), 'x'))};
    if (r % 3 == 0) row[1] = TaggedValue::real(r + 0.5);
    return row;
  };
  const std::vector<DeclaredKind> kinds = {DeclaredKind::Integer, DeclaredKind::Real,
                                           DeclaredKind::Integer, DeclaredKind::Text};
  NativeSpill spill(4, kinds);
  const int count = 300000;
  for (int r = 0; r < count; ++r) spill.append(row_of(r).data());
  std::atomic<int> mismatches{0};
  auto check_all = [&] {
    int r = 0;
    spill.for_each_row([&](const TaggedValue* cells) {
      const Row want = row_of(r++);
      const bool same = cells[0].to_int() == want[0].to_int() &&
                        cells[1].is_empty() == want[1].is_empty() &&
                        (want[1].is_empty() || cells[1].to_double() == want[1].to_double()) &&
                        cells[2].to_int() == r - 1 && cells[3].text_ref() == want[3].text_ref();
      if (!same) ++mismatches;
    });
    if (r != count) ++mismatches;
  };
  std::thread other(check_all);
  check_all();
  other.join();
  EXPECT_EQ(mismatches.load(), 0);
  const std::vector<ColumnFacts> gathered = spill.facts(kinds);
  const std::vector<ColumnFacts> read = spill.NativeRows::facts(kinds);
  ASSERT_EQ(gathered.size(), read.size());
  for (std::size_t c = 0; c < kinds.size(); ++c) {
    EXPECT_EQ(gathered[c].longest_text, read[c].longest_text) << c;
    EXPECT_EQ(gathered[c].fits_long, read[c].fits_long) << c;
  }
  EXPECT_EQ(gathered[3].longest_text, 6U);
  EXPECT_FALSE(gathered[0].fits_long);
  EXPECT_TRUE(gathered[2].fits_long);
}

}  // namespace
}  // namespace tandrel
