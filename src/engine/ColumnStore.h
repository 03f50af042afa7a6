#pragma once

// ColumnStore: the rows of the group-year array, one typed column per
// selected variable. A row is a number handed out in creation order; its
// cells start empty. Rows are never freed one by one: a group-year that is
// replaced leaves its old row unused.

#include <cstdint>
#include <vector>

#include "engine/TypedColumn.h"

namespace tandrel {

class ColumnStore {
 public:
  ColumnStore() = default;
  // One column per entry of `wide`: true for a real or text variable.
  explicit ColumnStore(const std::vector<bool>& wide);

  std::size_t column_count() const { return columns_.size(); }
  std::int32_t row_count() const { return rows_; }
  const TypedColumn& column(std::size_t position) const { return columns_[position]; }
  TypedColumn& column(std::size_t position) { return columns_[position]; }

  // A new row, every cell empty.
  std::int32_t add_row();

  TaggedValue get(std::int32_t row, std::size_t position) const {
    return columns_[position].get(static_cast<std::size_t>(row));
  }
  void set(std::int32_t row, std::size_t position, const TaggedValue& value) {
    columns_[position].set(static_cast<std::size_t>(row), value);
  }

  // Takes over the rows of `other`, filled with the same columns on another
  // thread, and returns the number its row 0 has here.
  std::int32_t append(ColumnStore&& other);
  // Bytes held by the cells.
  std::size_t bytes() const;

 private:
  std::vector<TypedColumn> columns_;
  std::int32_t rows_ = 0;
  std::size_t chunks_ = 0;
};

}  // namespace tandrel
