#pragma once

// A text file read one character at a time, with the end-of-line and
// end-of-file tests the field readers are written against. A line ends with
// LF, CR LF or a lone CR; the carriage return belongs to the line end, so
// files written with CR LF read exactly as files written with LF.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "process/Exceptions.h"

namespace tandrel {

// An input that the reader refuses outright: not a regular file, or a line
// longer than any the formats hold. The text names the file and, for a
// line, where it stands, to be shown as it is.
struct EInputRefused : EInOutError {
  using EInOutError::EInOutError;
};

// The longest line any input of the program holds is a few kilobytes; a
// line without end (a file of NULs) stops the read here.
inline constexpr std::int64_t kMaxLineBytes = 1 << 20;

// Raises EInputRefused unless `path` is a regular file (a device such as
// /dev/zero, a pipe, whose open may wait for ever, or a folder is refused
// before it is opened); EInOutError when it cannot be looked at.
void require_regular_file(const std::string& path);

class TextReader {
 public:
  // Opens `path` for reading; raises EInOutError when it cannot, and
  // EInputRefused for what require_regular_file refuses. A line longer
  // than kMaxLineBytes raises EInputRefused while reading. With a range, the reader starts at byte
  // `begin` and its file ends at byte `end`
  // (-1: the real end), so two readers can share one file.
  static TextReader open_file(const std::string& path, std::int64_t begin = 0,
                              std::int64_t end = -1);
  // Reads an in-memory text (tests, and texts already in memory).
  static TextReader from_string(std::string text);
  // Reads a text that the caller keeps alive while the reader is used.
  static TextReader over(std::string_view text);
  // The size of a regular file in bytes; -1 when it cannot be told or the
  // name is no regular file.
  static std::int64_t file_size(const std::string& path);

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
  // True when buffered() holds everything left to read.
  bool buffer_holds_rest() const { return file_ == nullptr || at_end_; }
  // True at the end of the file and where only line ends are left, which
  // it then skips: an empty last line, as many editors and spreadsheets
  // save one, is not a record. Loops over records test this, not eof().
  bool at_end_of_records();
  // Skips the rest of the current line and its line end.
  void readln();
  // Reads the rest of the current line (without its line end) and the line end.
  void read_line(std::string& out);
  // Closes the file; raises EInOutError if the read failed on the way.
  void close();

 private:
  TextReader() = default;
  bool refill();
  void check_line_length(const char* data, std::size_t size);

  std::string name_;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::string text_;  // in-memory source
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  std::int64_t remaining_ = -1;  // bytes the file may still give; -1: no limit
  bool at_end_ = false;          // the file gave its last byte
  bool viewing_ = false;         // reads a text it does not own
  bool read_error_ = false;
  std::int64_t begin_ = 0;            // where in the file the reader started
  std::int64_t bytes_read_ = 0;       // bytes the file gave so far
  std::int64_t lines_before_ = 0;     // line ends in the file before the current buffer
  std::int64_t open_line_bytes_ = 0;  // bytes since the last line end
};

}  // namespace tandrel
