#include "engine/ColumnStore.h"

#include <stdexcept>

namespace tandrel {

ColumnStore::ColumnStore(const std::vector<bool>& wide) {
  columns_.reserve(wide.size());
  for (const bool w : wide) columns_.emplace_back(w);
}

std::int32_t ColumnStore::add_row() {
  if (rows_ == INT32_MAX) throw std::length_error("The group-year array holds too many rows");
  if (static_cast<std::size_t>(rows_) == chunks_ * TypedColumn::kChunkRows) {
    for (TypedColumn& column : columns_) column.add_chunk();
    ++chunks_;
  }
  return rows_++;
}

std::int32_t ColumnStore::append(ColumnStore&& other) {
  // The rows of `other` begin at this store's next whole chunk; the rest of
  // the last chunk stays unused.
  const auto base = static_cast<std::int32_t>(chunks_ * TypedColumn::kChunkRows);
  for (std::size_t p = 0; p < columns_.size(); ++p)
    columns_[p].append_chunks(std::move(other.columns_[p]));
  chunks_ += other.chunks_;
  rows_ = base + other.rows_;
  other.chunks_ = 0;
  other.rows_ = 0;
  return base;
}

std::size_t ColumnStore::bytes() const {
  std::size_t total = 0;
  for (const TypedColumn& column : columns_) total += column.bytes();
  return total;
}

}  // namespace tandrel
