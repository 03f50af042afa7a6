#pragma once

// KIVFieldSource: the fields of the current line of a data file, exactly as
// read_csv_field reads them one by one. When the whole line lies in the
// reader's buffer, its fields are split straight from the buffer, quoted
// fields included, which is what makes loading a large data file fast; a
// line that runs past the buffer is read field by field.

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "diagnostics/QuietScope.h"
#include "process/Globals.h"
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
    // Without a line feed the line is whole only when nothing follows it.
    if (newline == nullptr && !file.buffer_holds_rest()) return;
    const std::size_t to_newline =
        newline == nullptr ? buffer.size() : static_cast<std::size_t>(newline - begin);
    whole_ = true;
    begin_ = pos_ = begin;
    end_ = begin + line_length(begin, to_newline);
  }

  // True at the line end (and at the end of the file).
  bool at_line_end() { return whole_ ? pos_ == end_ : file_.eoln(); }

  // The next field; at the line end an empty one, consuming nothing.
  CsvFieldView next() {
    if (!whole_) return read_csv_field(file_, spill_);
    if (pos_ == end_) return CsvFieldView{};
    const char first = *pos_;
    if (first == ',' || first == '\t') {
      ++pos_;
      return CsvFieldView{{}, true};
    }
    if (first == '"' || first == '\'') return quoted(first);
    // An unquoted field ends at a separator or a quote, which is dropped.
    const char* start = pos_++;
    while (pos_ != end_ && !kStops[static_cast<unsigned char>(*pos_)]) ++pos_;
    const std::string_view text(start, static_cast<std::size_t>(pos_ - start));
    if (pos_ == end_) return CsvFieldView{text, false};
    const char stop = *pos_++;
    return CsvFieldView{text, stop == ',' || stop == '\t'};
  }

  // The unread rest of the line when the whole line lies in the buffer.
  std::optional<std::string_view> rest() const {
    if (!whole_) return std::nullopt;
    return std::string_view(pos_, static_cast<std::size_t>(end_ - pos_));
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
  static constexpr std::array<bool, 256> kStops = [] {
    std::array<bool, 256> stops{};
    for (unsigned char c : {',', '\t', '"', '\''}) stops[c] = true;
    return stops;
  }();

  // A quoted field runs to its closing quote or the line end; a closing
  // quote not followed by a separator is reported, and the character after
  // it consumed, as the field reader does.
  CsvFieldView quoted(char quote) {
    const char* start = pos_ + 1;
    const auto* close =
        static_cast<const char*>(std::memchr(start, quote, static_cast<std::size_t>(end_ - start)));
    if (close == nullptr) {
      pos_ = end_;
      return CsvFieldView{std::string_view(start, static_cast<std::size_t>(end_ - start)), false};
    }
    const std::string_view text(start, static_cast<std::size_t>(close - start));
    pos_ = close + 1;
    if (pos_ == end_) return CsvFieldView{text, false};
    const char after = *pos_++;
    if (after == ',' || after == '\t') return CsvFieldView{text, true};
    spill_.assign(text);
    if (!QuietScope::hold_back()) os().message_box(plain_quote_message(quote, spill_));
    return CsvFieldView{text, false};
  }

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
