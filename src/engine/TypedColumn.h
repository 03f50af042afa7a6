#pragma once

// TypedColumn: the values of one variable for every group-year row of the
// data array, stored by the variable's type instead of one tagged value a
// cell. A column starts in one of two layouts:
//
// - narrow, 4 bytes a cell: integers of one kind (the first non-empty kind
//   written decides it), with one reserved code for the empty value;
// - wide, 8 bytes a cell: a real as its own bits; every other kind boxed in
//   the bit patterns of negative signalling NaNs, which no arithmetic and no
//   conversion of a text produces (a 4-bit kind and 47 bits of payload:
//   integers, and texts as their pooled string's address).
//
// A value the layout cannot hold exactly (an integer of another kind or out
// of range in a narrow column; a real in one) turns a narrow column wide,
// once, keeping every value. The few values a wide cell cannot box (a
// 64-bit integer beyond 47 bits, a real whose bits collide with a box) go
// to a side list. So what is read back is always exactly the tagged value
// stored, kind included.
//
// Rows live in chunks of kChunkRows that never move, so growing a column
// never copies it and never holds two copies at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/TaggedValue.h"

namespace tandrel {

// A boxed kind's tag is its number plus one: tag 0 would be an infinity.
constexpr std::uint64_t box_tag(TaggedValue::Kind kind) {
  return static_cast<std::uint64_t>(kind) + 1;
}

class TypedColumn {
 public:
  static constexpr std::size_t kChunkShift = 10;
  static constexpr std::size_t kChunkRows = std::size_t{1} << kChunkShift;

  // A column for reals or texts starts wide; any other starts narrow.
  explicit TypedColumn(bool wide) : wide_(wide) {}

  bool is_wide() const { return wide_; }
  std::size_t chunk_count() const { return wide_ ? wide_chunks_.size() : narrow_chunks_.size(); }
  // Appends one chunk of empty cells.
  void add_chunk();
  // Bytes held by the cells and the side list.
  std::size_t bytes() const;

  TaggedValue get(std::size_t row) const {
    if (!wide_) {
      const std::int32_t raw = narrow_chunks_[row >> kChunkShift][row & (kChunkRows - 1)];
      return raw == kNarrowEmpty ? TaggedValue() : TaggedValue::of_integer(kind_, raw);
    }
    return unbox(wide_chunks_[row >> kChunkShift][row & (kChunkRows - 1)]);
  }

  void set(std::size_t row, const TaggedValue& value);
  // The common kinds of loading, without building a tagged value.
  void set_int32(std::size_t row, std::int32_t value) {
    if (wide_) {
      // Every 32-bit integer fits a box: a missing code in a real or text column.
      wide_cell(row) = box(kInt32Tag, static_cast<std::uint64_t>(std::int64_t{value}));
      return;
    }
    if (value != kNarrowEmpty && (kind_ == TaggedValue::Kind::Int32 || !decided_)) {
      kind_ = TaggedValue::Kind::Int32;
      decided_ = true;
      narrow_cell(row) = value;
      return;
    }
    set(row, TaggedValue::int32(value));
  }
  // A text of the process-wide pool.
  void set_text(std::size_t row, const std::string* pooled) {
    const auto address = reinterpret_cast<std::uintptr_t>(pooled);
    if (wide_ && address <= kPayloadMask) {
      wide_cell(row) = box(kTextTag, address);
      return;
    }
    set(row, TaggedValue::interned(pooled));
  }
  void set_real(std::size_t row, double value) {
    const std::uint64_t bits = bits_of(value);
    if (wide_ && !is_box(bits)) {
      wide_cell(row) = bits;
      return;
    }
    set(row, TaggedValue::real(value));
  }
  void set_empty(std::size_t row) {
    if (wide_)
      wide_cell(row) = box(kEmptyTag, 0);
    else
      narrow_cell(row) = kNarrowEmpty;
  }

  // Takes over the chunks of `other` (rows filled on another thread) after
  // this column's own; both end up in the same layout.
  void append_chunks(TypedColumn&& other);

 private:
  static constexpr std::int32_t kNarrowEmpty = INT32_MIN;
  static constexpr std::uint64_t kBoxPrefix = 0x1FFEull;  // bits 63..51
  static constexpr int kTagShift = 47;
  static constexpr std::uint64_t kPayloadMask = (std::uint64_t{1} << kTagShift) - 1;
  static constexpr std::uint64_t kSideTag = 15;
  static constexpr std::uint64_t kEmptyTag = box_tag(TaggedValue::Kind::Empty);
  static constexpr std::uint64_t kInt32Tag = box_tag(TaggedValue::Kind::Int32);
  static constexpr std::uint64_t kTextTag = box_tag(TaggedValue::Kind::Text);

  static std::uint64_t bits_of(double value);
  static bool is_box(std::uint64_t bits) { return (bits >> 51) == kBoxPrefix; }
  static std::uint64_t box(std::uint64_t tag, std::uint64_t payload) {
    return (kBoxPrefix << 51) | (tag << kTagShift) | (payload & kPayloadMask);
  }
  TaggedValue unbox(std::uint64_t bits) const;
  // The cell of `value` in a wide column; nothing when it needs the side list.
  static bool try_box(const TaggedValue& value, std::uint64_t& bits);
  bool fits_narrow(const TaggedValue& value) const;

  std::int32_t& narrow_cell(std::size_t row) {
    return narrow_chunks_[row >> kChunkShift][row & (kChunkRows - 1)];
  }
  std::uint64_t& wide_cell(std::size_t row) {
    return wide_chunks_[row >> kChunkShift][row & (kChunkRows - 1)];
  }
  void widen();
  void rebase_side(std::size_t first_chunk, std::uint64_t offset);

  bool wide_;
  bool decided_ = false;  // a narrow column's kind is fixed by its first value
  TaggedValue::Kind kind_ = TaggedValue::Kind::Int32;
  std::vector<std::unique_ptr<std::int32_t[]>> narrow_chunks_;
  std::vector<std::unique_ptr<std::uint64_t[]>> wide_chunks_;
  std::vector<TaggedValue> side_;
};

}  // namespace tandrel
