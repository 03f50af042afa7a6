#pragma once

// A text file read one character at a time, with the end-of-line and
// end-of-file tests the field readers are written against. A line ends with
// LF, CR LF or a lone CR; the carriage return belongs to the line end, so
// files written with CR LF read exactly as files written with LF.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tandrel {

class TextReader {
 public:
  // Opens `path` for reading; raises EInOutError when it cannot.
  static TextReader open_file(const std::string& path);
  // Reads an in-memory text (tests, and texts already in memory).
  static TextReader from_string(std::string text);

  TextReader(TextReader&&) noexcept;
  TextReader& operator=(TextReader&&) noexcept;
  ~TextReader();

  const std::string& name() const { return name_; }

  bool eof() { return pos_ == end_ && !refill(); }
  // True at a line end and at the end of the file.
  bool eoln() {
    if (pos_ == end_ && !refill()) return true;
    return *pos_ == '\n' || *pos_ == '\r';
  }
  // Reads one character; at the end of the file it returns '\0' and reads
  // nothing. Line-end characters are returned like any other.
  char read_char() {
    if (pos_ == end_ && !refill()) return '\0';
    return *pos_++;
  }
  // The characters read ahead and not yet consumed, refilling first when
  // none are; empty only at the end of the file. Lets a scanner take a whole
  // field at once; the view is valid until the next read.
  std::string_view buffered() {
    if (pos_ == end_) refill();
    return {pos_, static_cast<std::size_t>(end_ - pos_)};
  }
  // Consumes the first `n` characters of buffered().
  void consume(std::size_t n) { pos_ += n; }
  // Skips the rest of the current line and its line end.
  void readln();
  // Reads the rest of the current line (without its line end) and the line end.
  void read_line(std::string& out);
  // Closes the file; raises EInOutError if the read failed on the way.
  void close();

 private:
  TextReader() = default;
  bool refill();

  std::string name_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::string text_;  // in-memory source
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  bool read_error_ = false;
};

}  // namespace tandrel
