#pragma once

// KIVFieldSource: the fields of the current line of a data file, exactly as
// read_csv_field reads them one by one. When the whole line lies in the
// reader's buffer and holds no quote character, its fields are split
// straight from the buffer, which is what makes loading a large data file
// fast; any other line is read field by field.

#include <cstring>
#include <string>

#include "reference/FieldReaders.h"
#include "reference/TextReader.h"

namespace tandrel {

class KIVFieldSource {
 public:
  KIVFieldSource(TextReader& file, std::string& spill) : file_(file), spill_(spill) {
    const std::string_view buffer = file.buffered();
    if (buffer.empty()) return;
    const char* begin = buffer.data();
    const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', buffer.size()));
    if (newline == nullptr) return;
    const std::size_t length = line_length(begin, static_cast<std::size_t>(newline - begin));
    if (std::memchr(begin, '"', length) != nullptr || std::memchr(begin, '\'', length) != nullptr)
      return;
    whole_ = true;
    begin_ = pos_ = begin;
    end_ = begin + length;
  }

  // True at the line end (and at the end of the file).
  bool at_line_end() { return whole_ ? pos_ == end_ : file_.eoln(); }

  // The next field; at the line end an empty one, consuming nothing.
  CsvFieldView next() {
    if (!whole_) return read_csv_field(file_, spill_);
    const char* start = pos_;
    while (pos_ != end_ && *pos_ != ',' && *pos_ != '\t') ++pos_;
    const std::string_view text(start, static_cast<std::size_t>(pos_ - start));
    if (pos_ == end_) return CsvFieldView{text, false};
    ++pos_;
    return CsvFieldView{text, true};
  }

  // Skips the rest of the line and its line end.
  void finish_line() {
    if (whole_) {
      file_.consume(static_cast<std::size_t>(end_ - begin_));
      whole_ = false;
    }
    file_.readln();
  }

 private:
  // A carriage return ends the line as well, alone or before the line feed.
  static std::size_t line_length(const char* begin, std::size_t to_newline) {
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', to_newline));
    return cr == nullptr ? to_newline : static_cast<std::size_t>(cr - begin);
  }

  TextReader& file_;
  std::string& spill_;
  bool whole_ = false;
  const char* begin_ = nullptr;
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
};

}  // namespace tandrel
