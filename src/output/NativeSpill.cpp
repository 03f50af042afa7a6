#include "output/NativeSpill.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "platform/ReadAt.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

// A cell on file: a tag, then its value in as few bytes as keep it
// exactly; most cells are integers that four bytes hold. Texts are
// interned for the life of the process, so a text is kept as the address
// of its pooled copy. Every integer kind comes back as a 64-bit integer.
enum Tag : unsigned char { kEmpty, kText, kReal, kInt32, kInt64 };
constexpr std::size_t kMaxCellBytes = 1 + 8;
constexpr std::size_t kBufferBytes = 1 << 20;

std::string reason() {
  return std::strerror(errno);
}

template <class T>
unsigned char* put(unsigned char* out, Tag tag, const T& value) {
  static_assert(sizeof(T) <= kMaxCellBytes - 1);
  *out = tag;
  std::memcpy(out + 1, &value, sizeof value);
  return out + 1 + sizeof value;
}

unsigned char* put_cell(unsigned char* out, const TaggedValue& value) {
  if (value.is_text()) return put(out, kText, &value.text_ref());
  if (value.is_real()) return put(out, kReal, value.to_double());
  if (!value.is_integer()) {
    *out = kEmpty;
    return out + 1;
  }
  const std::int64_t i = value.to_int();
  if (i >= INT32_MIN && i <= INT32_MAX) return put(out, kInt32, static_cast<std::int32_t>(i));
  return put(out, kInt64, i);
}

template <class T>
T get(const unsigned char*& in) {
  T value;
  std::memcpy(&value, in, sizeof value);
  in += sizeof value;
  return value;
}

TaggedValue get_cell(const unsigned char*& in) {
  switch (*in++) {
    case kText:
      return TaggedValue::interned(get<const std::string*>(in));
    case kReal:
      return TaggedValue::real(get<double>(in));
    case kInt32:
      return TaggedValue::int64(get<std::int32_t>(in));
    case kInt64:
      return TaggedValue::int64(get<std::int64_t>(in));
    default:
      break;
  }
  return TaggedValue();
}

}  // namespace

NativeSpill::NativeSpill(std::size_t columns, std::vector<DeclaredKind> kinds)
    : columns_(columns), file_(std::tmpfile()) {
  if (!file_) throw EInOutError("cannot create a temporary file for the data files: " + reason());
  buffer_.reserve(kBufferBytes + columns * kMaxCellBytes);
  if (kinds.size() == columns) {
    kinds_ = std::move(kinds);
    facts_.resize(columns);
  }
}

void NativeSpill::append(const TaggedValue* cells) {
  const std::size_t used = buffer_.size();
  buffer_.resize(used + columns_ * kMaxCellBytes);
  unsigned char* out = buffer_.data() + used;
  for (std::size_t c = 0; c < columns_; ++c) out = put_cell(out, cells[c]);
  buffer_.resize(static_cast<std::size_t>(out - buffer_.data()));
  for (std::size_t c = 0; c < kinds_.size(); ++c)
    if (kinds_[c] != DeclaredKind::Real) facts_[c].observe(kinds_[c], cells[c]);
  ++rows_;
  if (buffer_.size() >= kBufferBytes) flush_buffer();
}

void NativeSpill::flush_buffer() const {
  if (buffer_.empty()) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size())
    throw EInOutError("cannot keep the cases for the data files: " + reason());
  file_bytes_ += buffer_.size();
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
  // Rows differ in length: the buffer is topped up whenever less than the
  // longest row is left in it, so a row is always whole in it.
  const std::size_t longest_row = columns_ * kMaxCellBytes;
  std::vector<unsigned char> bytes(kBufferBytes + longest_row);
  std::vector<TaggedValue> row(columns_);
  std::uint64_t offset = 0;
  std::size_t at = 0, held = 0;
  for (std::size_t r = 0; r < rows_; ++r) {
    if (held - at < longest_row && offset < file_bytes_) {
      std::memmove(bytes.data(), bytes.data() + at, held - at);
      held -= at;
      at = 0;
      const std::size_t more = static_cast<std::size_t>(
          std::min<std::uint64_t>(bytes.size() - held, file_bytes_ - offset));
      if (!platform::read_at(file_.get(), offset, bytes.data() + held, more))
        throw EInOutError("cannot read back the cases for the data files: " + reason());
      offset += more;
      held += more;
    }
    const unsigned char* in = bytes.data() + at;
    for (std::size_t c = 0; c < columns_; ++c) row[c] = get_cell(in);
    at = static_cast<std::size_t>(in - bytes.data());
    if (at > held)
      throw EInOutError("cannot read back the cases for the data files: they are cut short");
    visit(row.data());
  }
}

std::vector<ColumnFacts> NativeSpill::facts(const std::vector<DeclaredKind>& kinds) const {
  if (kinds == kinds_) return facts_;
  return NativeRows::facts(kinds);
}

}  // namespace tandrel
