#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "engine/ColumnStore.h"
#include "engine/TypedColumn.h"

namespace tandrel {
namespace {

using Kind = TaggedValue::Kind;

// The same tagged value: kind, and bits for a real, text for a text.
::testing::AssertionResult same(const TaggedValue& got, const TaggedValue& want) {
  if (got.kind() != want.kind())
    return ::testing::AssertionFailure()
           << "kind " << static_cast<int>(got.kind()) << " not " << static_cast<int>(want.kind());
  bool equal = true;
  if (want.is_real())
    equal = std::bit_cast<std::uint64_t>(got.to_double()) ==
            std::bit_cast<std::uint64_t>(want.to_double());
  else if (want.is_text())
    equal = got.text_ref() == want.text_ref();
  else if (!want.is_empty())
    equal = got.to_int() == want.to_int();
  if (equal) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "value " << got.to_text() << " not " << want.to_text();
}

// A negative signalling NaN: the bit pattern of a boxed cell.
double box_colliding_real() {
  return std::bit_cast<double>(std::uint64_t{0xFFF4'0000'0000'1234});
}

std::vector<TaggedValue> every_edge() {
  constexpr std::int64_t kBoxLimit = std::int64_t{1} << 46;
  return {
      TaggedValue::int32(-99),
      TaggedValue::int32(std::numeric_limits<std::int32_t>::max()),
      TaggedValue::int32(std::numeric_limits<std::int32_t>::min()),
      TaggedValue(),
      TaggedValue::uint8(255),
      TaggedValue::int8(-99),
      TaggedValue::int16(-32768),
      TaggedValue::uint16(2025),
      TaggedValue::boolean(true),
      TaggedValue::int64(kBoxLimit - 1),
      TaggedValue::int64(-kBoxLimit),
      TaggedValue::int64(kBoxLimit),
      TaggedValue::int64(std::numeric_limits<std::int64_t>::min()),
      TaggedValue::real(-0.0),
      TaggedValue::real(0.12345678499999999),
      TaggedValue::real(std::numeric_limits<double>::infinity()),
      TaggedValue::real(-std::numeric_limits<double>::infinity()),
      TaggedValue::real(std::numeric_limits<double>::quiet_NaN()),
      TaggedValue::real(-std::numeric_limits<double>::quiet_NaN()),
      TaggedValue::real(box_colliding_real()),
      TaggedValue::text(""),
      TaggedValue::text(std::string(3000, 'k')),
  };
}

class TypedColumnLayout : public ::testing::TestWithParam<bool> {};

// Every kind, in a column of either layout, reads back as it was stored,
// and the values stored before a column turned wide survive the change.
TEST_P(TypedColumnLayout, EveryKindReadsBackExactly) {
  const std::vector<TaggedValue> values = every_edge();
  TypedColumn column(GetParam());
  while (column.chunk_count() * TypedColumn::kChunkRows < values.size()) column.add_chunk();
  for (std::size_t row = 0; row < values.size(); ++row) {
    column.set(row, values[row]);
    for (std::size_t earlier = 0; earlier <= row; ++earlier)
      EXPECT_TRUE(same(column.get(earlier), values[earlier])) << "row " << earlier;
  }
  EXPECT_TRUE(column.is_wide());
}

TEST_P(TypedColumnLayout, NewCellsAreEmptyAndOverwritesReplace) {
  TypedColumn column(GetParam());
  column.add_chunk();
  EXPECT_TRUE(column.get(TypedColumn::kChunkRows - 1).is_empty());
  column.set(3, TaggedValue::int64(std::int64_t{1} << 60));  // a side-list value
  column.set(3, TaggedValue::int32(7));
  EXPECT_TRUE(same(column.get(3), TaggedValue::int32(7)));
  column.set_empty(3);
  EXPECT_TRUE(column.get(3).is_empty());
}

INSTANTIATE_TEST_SUITE_P(NarrowAndWide, TypedColumnLayout, ::testing::Bool());

// The loading kinds keep a narrow column at 4 bytes a cell; a value of
// another kind than the column's first turns it wide.
TEST(TypedColumn, IntegersOfOneKindStayNarrow) {
  struct Case {
    TaggedValue first, second;
    bool wide;
  };
  const Case cases[] = {
      {TaggedValue::int32(1), TaggedValue::int32(-99), false},
      {TaggedValue::uint8(3), TaggedValue::uint8(0), false},
      {TaggedValue(), TaggedValue::uint8(1), false},  // empty cells decide nothing
      {TaggedValue::int32(1), TaggedValue::uint8(1), true},
      {TaggedValue::int32(1), TaggedValue::int32(std::numeric_limits<std::int32_t>::min()), true},
      {TaggedValue::int32(1), TaggedValue::real(1.0), true},
  };
  for (const Case& c : cases) {
    TypedColumn column(false);
    column.add_chunk();
    column.set(0, c.first);
    column.set(1, c.second);
    EXPECT_EQ(column.is_wide(), c.wide) << c.second.to_text();
    EXPECT_TRUE(same(column.get(0), c.first));
    EXPECT_TRUE(same(column.get(1), c.second));
    EXPECT_EQ(column.bytes(), TypedColumn::kChunkRows * (c.wide ? 8u : 4u));
  }
}

// Rows read on the helper thread join the main store after its last whole
// chunk, whatever layout each side's columns took.
TEST(ColumnStore, AppendKeepsBothSidesRows) {
  const std::vector<TaggedValue> edges = every_edge();
  struct Case {
    bool wide;
    TaggedValue main_value, helper_value;
  };
  const Case cases[] = {
      {false, TaggedValue::int32(5), TaggedValue::int32(6)},
      {false, TaggedValue::int32(5), TaggedValue::uint8(6)},
      {false, TaggedValue(), TaggedValue::uint8(6)},
      {false, TaggedValue::int64(std::int64_t{1} << 50), TaggedValue::int32(6)},
      {true, TaggedValue::real(box_colliding_real()), TaggedValue::int64(std::int64_t{1} << 55)},
      {true, TaggedValue::text("main"), TaggedValue::real(-0.0)},
  };
  for (const Case& c : cases) {
    ColumnStore main({c.wide});
    ColumnStore helper({c.wide});
    for (int r = 0; r < 3; ++r) main.set(main.add_row(), 0, c.main_value);
    for (int r = 0; r < 2; ++r) helper.set(helper.add_row(), 0, c.helper_value);
    const std::int32_t base = main.append(std::move(helper));
    EXPECT_EQ(base, static_cast<std::int32_t>(TypedColumn::kChunkRows));
    EXPECT_EQ(main.row_count(), base + 2);
    for (int r = 0; r < 3; ++r) EXPECT_TRUE(same(main.get(r, 0), c.main_value));
    for (int r = 0; r < 2; ++r) EXPECT_TRUE(same(main.get(base + r, 0), c.helper_value));
    // The store goes on growing after the rows it took over.
    const std::int32_t next = main.add_row();
    EXPECT_EQ(next, base + 2);
    EXPECT_TRUE(main.get(next, 0).is_empty());
  }
}

}  // namespace
}  // namespace tandrel
