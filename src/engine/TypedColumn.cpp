#include "engine/TypedColumn.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace tandrel {

namespace {

using Kind = TaggedValue::Kind;

bool small_integer(Kind kind) {
  return kind >= Kind::Int8 && kind <= Kind::Bool;
}

constexpr std::int64_t kBoxedIntegerLimit = std::int64_t{1} << 46;

}  // namespace

std::uint64_t TypedColumn::bits_of(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

void TypedColumn::add_chunk() {
  if (wide_) {
    auto chunk = std::make_unique<std::uint64_t[]>(kChunkRows);
    std::fill_n(chunk.get(), kChunkRows, box(box_tag(Kind::Empty), 0));
    wide_chunks_.push_back(std::move(chunk));
  } else {
    auto chunk = std::make_unique<std::int32_t[]>(kChunkRows);
    std::fill_n(chunk.get(), kChunkRows, kNarrowEmpty);
    narrow_chunks_.push_back(std::move(chunk));
  }
}

std::size_t TypedColumn::bytes() const {
  return narrow_chunks_.size() * kChunkRows * sizeof(std::int32_t) +
         wide_chunks_.size() * kChunkRows * sizeof(std::uint64_t) +
         side_.capacity() * sizeof(TaggedValue);
}

TaggedValue TypedColumn::unbox(std::uint64_t bits) const {
  if (!is_box(bits)) return TaggedValue::real(std::bit_cast<double>(bits));
  const std::uint64_t tag = (bits >> kTagShift) & 0xF;
  const std::uint64_t payload = bits & kPayloadMask;
  if (tag == kSideTag) return side_[payload];
  const auto kind = static_cast<Kind>(tag - 1);
  if (kind == Kind::Text)
    return TaggedValue::interned(reinterpret_cast<const std::string*>(payload));
  if (kind == Kind::Empty) return TaggedValue();
  // Sign-extend the 47-bit payload.
  const auto value = static_cast<std::int64_t>(payload << (64 - kTagShift)) >> (64 - kTagShift);
  return TaggedValue::of_integer(kind, value);
}

bool TypedColumn::try_box(const TaggedValue& value, std::uint64_t& bits) {
  switch (value.kind()) {
    case Kind::Empty:
      bits = box(box_tag(Kind::Empty), 0);
      return true;
    case Kind::Double:
      bits = bits_of(value.to_double());
      return !is_box(bits);
    case Kind::Text: {
      const auto address = reinterpret_cast<std::uintptr_t>(&value.text_ref());
      if (address > kPayloadMask) return false;
      bits = box(box_tag(Kind::Text), address);
      return true;
    }
    default: {
      const std::int64_t v = value.to_int();
      if (v < -kBoxedIntegerLimit || v >= kBoxedIntegerLimit) return false;
      bits = box(box_tag(value.kind()), static_cast<std::uint64_t>(v));
      return true;
    }
  }
}

bool TypedColumn::fits_narrow(const TaggedValue& value) const {
  if (!small_integer(value.kind())) return false;
  if (decided_ && value.kind() != kind_) return false;
  const std::int64_t v = value.to_int();
  return v > kNarrowEmpty && v <= std::numeric_limits<std::int32_t>::max();
}

void TypedColumn::set(std::size_t row, const TaggedValue& value) {
  if (!wide_) {
    if (value.is_empty()) {
      narrow_cell(row) = kNarrowEmpty;
      return;
    }
    if (fits_narrow(value)) {
      kind_ = value.kind();
      decided_ = true;
      narrow_cell(row) = static_cast<std::int32_t>(value.to_int());
      return;
    }
    widen();
  }
  std::uint64_t bits = 0;
  if (!try_box(value, bits)) {
    bits = box(kSideTag, side_.size());
    side_.push_back(value);
  }
  wide_cell(row) = bits;
}

// Converts every cell to the wide layout, chunk by chunk, so that at most
// one narrow chunk is held beside the wide ones.
void TypedColumn::widen() {
  wide_chunks_.reserve(narrow_chunks_.size());
  for (auto& narrow : narrow_chunks_) {
    auto chunk = std::make_unique<std::uint64_t[]>(kChunkRows);
    for (std::size_t i = 0; i < kChunkRows; ++i) {
      const std::int32_t raw = narrow[i];
      chunk[i] =
          raw == kNarrowEmpty
              ? box(box_tag(Kind::Empty), 0)
              : box(box_tag(kind_), static_cast<std::uint64_t>(static_cast<std::int64_t>(raw)));
    }
    narrow.reset();
    wide_chunks_.push_back(std::move(chunk));
  }
  narrow_chunks_.clear();
  wide_ = true;
}

// Side-list cells from `first_chunk` on point `offset` further.
void TypedColumn::rebase_side(std::size_t first_chunk, std::uint64_t offset) {
  for (std::size_t c = first_chunk; c < wide_chunks_.size(); ++c)
    for (std::size_t i = 0; i < kChunkRows; ++i) {
      std::uint64_t& bits = wide_chunks_[c][i];
      if (is_box(bits) && ((bits >> kTagShift) & 0xF) == kSideTag)
        bits = box(kSideTag, (bits & kPayloadMask) + offset);
    }
}

void TypedColumn::append_chunks(TypedColumn&& other) {
  const bool same_narrow =
      !wide_ && !other.wide_ && (!decided_ || !other.decided_ || kind_ == other.kind_);
  if (same_narrow) {
    if (!decided_) {
      kind_ = other.kind_;
      decided_ = other.decided_;
    }
    for (auto& chunk : other.narrow_chunks_) narrow_chunks_.push_back(std::move(chunk));
    other.narrow_chunks_.clear();
    return;
  }
  if (!wide_) widen();
  if (!other.wide_) other.widen();
  const std::size_t first = wide_chunks_.size();
  for (auto& chunk : other.wide_chunks_) wide_chunks_.push_back(std::move(chunk));
  other.wide_chunks_.clear();
  if (!other.side_.empty()) {
    rebase_side(first, side_.size());
    side_.insert(side_.end(), other.side_.begin(), other.side_.end());
    other.side_.clear();
  }
}

}  // namespace tandrel
