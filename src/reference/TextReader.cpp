#include "reference/TextReader.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "diagnostics/Exceptions.h"

namespace tandrel {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

TextReader TextReader::open_file(const std::string& path) {
  TextReader reader;
  reader.name_ = path;
  reader.file_ = std::fopen(path.c_str(), "rb");
  if (reader.file_ == nullptr)
    throw EInOutError("Cannot open " + path + ": " + std::strerror(errno));
  reader.buffer_ = std::make_unique<char[]>(kBufferSize);
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
  // The in-memory text moves with its pointers; keep their offsets.
  std::ptrdiff_t pos_off = other.pos_ - other.text_.data();
  std::ptrdiff_t end_off = other.end_ - other.text_.data();
  bool in_memory = other.file_ == nullptr;
  name_ = std::move(other.name_);
  file_ = std::exchange(other.file_, nullptr);
  buffer_ = std::move(other.buffer_);
  text_ = std::move(other.text_);
  read_error_ = other.read_error_;
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
  if (file_ == nullptr) return false;
  std::size_t n = std::fread(buffer_.get(), 1, kBufferSize, file_);
  if (n == 0) {
    if (std::ferror(file_)) read_error_ = true;
    return false;
  }
  pos_ = buffer_.get();
  end_ = pos_ + n;
  return true;
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
  while (!eoln()) out.push_back(read_char());
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
