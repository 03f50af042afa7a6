#include "reference/TextReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace tandrel {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;

// Lines run to hundreds of bytes: memchr's wide steps beat a byte loop.
std::int64_t count_line_feeds(const char* data, std::size_t size) {
  std::int64_t count = 0;
  const char* end = data + size;
  while (const void* found = std::memchr(data, '\n', static_cast<std::size_t>(end - data))) {
    ++count;
    data = static_cast<const char*>(found) + 1;
  }
  return count;
}

// The first line end in [from, to), or `to`.
const char* find_line_end(const char* from, const char* to) {
  const auto size = static_cast<std::size_t>(to - from);
  const auto* feed = static_cast<const char*>(std::memchr(from, '\n', size));
  const char* limit = feed == nullptr ? to : feed;
  const auto* ret =
      static_cast<const char*>(std::memchr(from, '\r', static_cast<std::size_t>(limit - from)));
  return ret == nullptr ? limit : ret;
}
}  // namespace

void require_regular_file(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    throw EInOutError("Cannot open " + path + ": " + std::strerror(errno));
  if (S_ISREG(st.st_mode)) return;
  const char* kind = S_ISDIR(st.st_mode)                            ? "a folder"
                     : S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) ? "a pipe"
                                                                    : "a device";
  throw EInputRefused(path + " is " + kind +
                      ", not a regular file; Tandrel reads its inputs from regular files only.");
}

TextReader TextReader::open_file(const std::string& path, std::int64_t begin, std::int64_t end) {
  require_regular_file(path);
  TextReader reader;
  reader.name_ = path;
  reader.begin_ = begin;
  reader.file_ = std::fopen(path.c_str(), "rb");
  if (reader.file_ == nullptr)
    throw EInOutError("Cannot open " + path + ": " + std::strerror(errno));
  if (begin > 0 && std::fseek(reader.file_, static_cast<long>(begin), SEEK_SET) != 0)
    throw EInOutError("Cannot read " + path + ": " + std::strerror(errno));
  if (end >= 0) reader.remaining_ = end > begin ? end - begin : 0;
  reader.buffer_ = std::make_unique<char[]>(kBufferSize);
  return reader;
}

std::int64_t TextReader::file_size(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<std::int64_t>(st.st_size);
}

TextReader TextReader::over(std::string_view text) {
  TextReader reader;
  reader.name_ = "(text)";
  reader.pos_ = text.data();
  reader.end_ = text.data() + text.size();
  reader.viewing_ = true;
  return reader;
}

TextReader TextReader::from_string(std::string text) {
  TextReader reader;
  reader.name_ = "(text)";
  reader.text_ = std::move(text);
  reader.pos_ = reader.text_.data();
  reader.end_ = reader.pos_ + reader.text_.size();
  return reader;
}

TextReader::TextReader(TextReader&& other) noexcept {
  *this = std::move(other);
}

TextReader& TextReader::operator=(TextReader&& other) noexcept {
  if (this == &other) return *this;
  if (file_ != nullptr) std::fclose(file_);
  // An owned in-memory text moves with its pointers; keep their offsets.
  std::ptrdiff_t pos_off = other.pos_ - other.text_.data();
  std::ptrdiff_t end_off = other.end_ - other.text_.data();
  bool in_memory = other.file_ == nullptr && !other.viewing_;
  name_ = std::move(other.name_);
  file_ = std::exchange(other.file_, nullptr);
  buffer_ = std::move(other.buffer_);
  text_ = std::move(other.text_);
  read_error_ = other.read_error_;
  begin_ = other.begin_;
  bytes_read_ = other.bytes_read_;
  lines_before_ = other.lines_before_;
  open_line_bytes_ = other.open_line_bytes_;
  remaining_ = other.remaining_;
  at_end_ = other.at_end_;
  viewing_ = other.viewing_;
  if (in_memory) {
    pos_ = text_.data() + pos_off;
    end_ = text_.data() + end_off;
  } else {
    pos_ = other.pos_;
    end_ = other.end_;
  }
  other.pos_ = other.end_ = nullptr;
  return *this;
}

TextReader::~TextReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool TextReader::refill() {
  if (file_ == nullptr || at_end_) return false;
  std::size_t want = kBufferSize;
  if (remaining_ >= 0 && static_cast<std::int64_t>(want) > remaining_)
    want = static_cast<std::size_t>(remaining_);
  std::size_t n = want == 0 ? 0 : std::fread(buffer_.get(), 1, want, file_);
  if (remaining_ >= 0) remaining_ -= static_cast<std::int64_t>(n);
  if (n < want || remaining_ == 0) at_end_ = true;
  if (n == 0) {
    if (std::ferror(file_)) read_error_ = true;
    return false;
  }
  check_line_length(buffer_.get(), n);
  pos_ = buffer_.get();
  end_ = pos_ + n;
  return true;
}

// Counts the lines of each new buffer, so that a line without end is
// named by its number (or, for a reader started inside the file, its byte).
void TextReader::check_line_length(const char* data, std::size_t size) {
  auto is_end = [](char c) { return c == '\n' || c == '\r'; };
  const char* first_end = std::find_if(data, data + size, is_end);
  // The line open before this buffer goes on up to its first line end.
  const std::int64_t open = open_line_bytes_ + (first_end - data);
  if (open > kMaxLineBytes) {
    const std::int64_t line_start = begin_ + bytes_read_ - open_line_bytes_;
    const std::string where = begin_ == 0 ? "line " + std::to_string(lines_before_ + 1)
                                          : "the line at byte " + std::to_string(line_start);
    throw EInputRefused(name_ + ", " + where + ": a line longer than " +
                        std::to_string(kMaxLineBytes) +
                        " bytes, which no input of Tandrel holds; the read stops here.");
  }
  if (first_end != data + size) {
    // Lines inside one buffer are never longer than the buffer, the bound.
    const char* last_end = data + size;
    while (!is_end(*--last_end)) {
    }
    open_line_bytes_ = data + size - last_end - 1;
  } else {
    open_line_bytes_ = open;
  }
  lines_before_ += count_line_feeds(data, size);
  bytes_read_ += static_cast<std::int64_t>(size);
}

bool TextReader::at_end_of_records() {
  for (;;) {
    const std::string_view rest = buffered();
    if (rest.empty()) return true;
    if (rest.find_first_not_of("\r\n") != std::string_view::npos) return false;
    // Line ends alone up to the end of what is buffered: skip them, and
    // look on when more of the file follows.
    const bool last = buffer_holds_rest();
    consume(rest.size());
    if (last) return true;
  }
}

void TextReader::readln() {
  while (!eoln()) {
    const char* nl = static_cast<const char*>(std::memchr(pos_, '\n', end_ - pos_));
    const char* cr = static_cast<const char*>(std::memchr(pos_, '\r', (nl ? nl : end_) - pos_));
    const char* stop = cr ? cr : nl;
    pos_ = stop ? stop : end_;
  }
  if (eof()) return;
  if (read_char() == '\r' && !eof() && *pos_ == '\n') ++pos_;
}

void TextReader::read_line(std::string& out) {
  out.clear();
  while (!eoln()) {
    const char* stop = find_line_end(pos_, end_);
    out.append(pos_, static_cast<std::size_t>(stop - pos_));
    pos_ = stop;
  }
  readln();
}

void TextReader::close() {
  if (file_ == nullptr) return;
  bool failed = read_error_ || std::ferror(file_);
  std::fclose(file_);
  file_ = nullptr;
  if (failed) throw EInOutError("Error reading " + name_);
}

}  // namespace tandrel
