#include "output/NativeSpill.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/ReadAt.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

// A cell on file: its kind, then eight bytes of value. Texts are interned
// for the life of the process, so a text is kept as the address of its
// pooled copy.
constexpr std::size_t kCellBytes = 9;
constexpr std::size_t kBufferBytes = 1 << 20;

std::string reason() {
  return std::strerror(errno);
}

void put_cell(std::vector<unsigned char>& out, const TaggedValue& value) {
  unsigned char bytes[kCellBytes] = {};
  bytes[0] = static_cast<unsigned char>(value.kind());
  if (value.is_text()) {
    const std::string* pooled = &value.text_ref();
    std::memcpy(bytes + 1, &pooled, sizeof pooled);
  } else if (value.is_real()) {
    const double d = value.to_double();
    std::memcpy(bytes + 1, &d, sizeof d);
  } else if (value.is_integer()) {
    const std::int64_t i = value.to_int();
    std::memcpy(bytes + 1, &i, sizeof i);
  }
  out.insert(out.end(), bytes, bytes + kCellBytes);
}

TaggedValue get_cell(const unsigned char* bytes) {
  switch (static_cast<TaggedValue::Kind>(bytes[0])) {
    case TaggedValue::Kind::Text: {
      const std::string* pooled = nullptr;
      std::memcpy(&pooled, bytes + 1, sizeof pooled);
      return TaggedValue::interned(pooled);
    }
    case TaggedValue::Kind::Double: {
      double d = 0;
      std::memcpy(&d, bytes + 1, sizeof d);
      return TaggedValue::real(d);
    }
    case TaggedValue::Kind::Bool:
    case TaggedValue::Kind::Int8:
    case TaggedValue::Kind::UInt8:
    case TaggedValue::Kind::Int16:
    case TaggedValue::Kind::UInt16:
    case TaggedValue::Kind::Int32:
    case TaggedValue::Kind::Int64: {
      std::int64_t i = 0;
      std::memcpy(&i, bytes + 1, sizeof i);
      return TaggedValue::int64(i);
    }
    case TaggedValue::Kind::Empty:
      break;
  }
  return TaggedValue();
}

}  // namespace

NativeSpill::NativeSpill(std::size_t columns, std::vector<DeclaredKind> kinds)
    : columns_(columns), file_(std::tmpfile()) {
  if (!file_) throw EInOutError("cannot create a temporary file for the data files: " + reason());
  buffer_.reserve(kBufferBytes + columns * kCellBytes);
  if (kinds.size() == columns) {
    kinds_ = std::move(kinds);
    facts_.resize(columns);
  }
}

void NativeSpill::append(const TaggedValue* cells) {
  for (std::size_t c = 0; c < columns_; ++c) put_cell(buffer_, cells[c]);
  for (std::size_t c = 0; c < kinds_.size(); ++c)
    if (kinds_[c] != DeclaredKind::Real) facts_[c].observe(kinds_[c], cells[c]);
  ++rows_;
  if (buffer_.size() >= kBufferBytes) flush_buffer();
}

void NativeSpill::flush_buffer() const {
  if (buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size())
    throw EInOutError("cannot keep the cases for the data files: " + reason());
  buffer_.clear();
}

void NativeSpill::for_each_row(const std::function<void(const TaggedValue*)>& visit) const {
  {
    // The writers of the native files may read at once, each on a thread.
    std::lock_guard<std::mutex> lock(flush_mutex_);
    flush_buffer();
    if (std::fflush(file_.get()) != 0)
      throw EInOutError("cannot keep the cases for the data files: " + reason());
  }
  const std::size_t row_bytes = columns_ * kCellBytes;
  const std::size_t rows_per_read =
      std::max<std::size_t>(1, kBufferBytes / std::max<std::size_t>(row_bytes, 1));
  std::vector<unsigned char> bytes(rows_per_read * row_bytes);
  std::vector<TaggedValue> row(columns_);
  std::uint64_t offset = 0;
  for (std::size_t r = 0; r < rows_;) {
    const std::size_t count = std::min(rows_per_read, rows_ - r);
    if (!platform::read_at(file_.get(), offset, bytes.data(), count * row_bytes))
      throw EInOutError("cannot read back the cases for the data files: " + reason());
    offset += count * row_bytes;
    for (std::size_t k = 0; k < count; ++k, ++r) {
      const unsigned char* cells = bytes.data() + k * row_bytes;
      for (std::size_t c = 0; c < columns_; ++c) row[c] = get_cell(cells + c * kCellBytes);
      visit(row.data());
    }
  }
}

std::vector<ColumnFacts> NativeSpill::facts(const std::vector<DeclaredKind>& kinds) const {
  if (kinds == kinds_) return facts_;
  return NativeRows::facts(kinds);
}

}  // namespace tandrel
