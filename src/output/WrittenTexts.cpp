#include "output/WrittenTexts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace tandrel {

namespace {

constexpr std::size_t kReadBlock = 1 << 16;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Walks the fields of a data file one character at a time.
class FieldScanner {
 public:
  FieldScanner(char separator, bool header, std::size_t columns)
      : separator_(separator), skip_(header ? columns : 0), columns_(columns) {
    facts_.beyond_long.assign(columns, false);
  }

  void take(char c) {
    if (quote_state_ == Quote::Inside) {
      if (c == '"') {
        quote_state_ = Quote::MaybeClosed;
      } else {
        ++text_length_;
        last_in_text_ = c;
      }
      return;
    }
    if (quote_state_ == Quote::MaybeClosed) {
      if (c == '"') {  // a doubled quote inside the text
        ++text_length_;
        last_in_text_ = c;
        facts_.texts_hold_quotes = true;
        quote_state_ = Quote::Inside;
        return;
      }
      quote_state_ = Quote::None;
    }
    if (c == separator_ || c == ' ' || c == '\r' || c == '\n') {
      end_field();
    } else if (c == '"' && !in_field_) {
      in_field_ = quoted_ = true;
      quote_state_ = Quote::Inside;
    } else {
      in_field_ = true;
      if (number_.size() < kLongestNumber) number_ += c;
    }
  }

  WrittenTexts finish() {
    if (quote_state_ == Quote::MaybeClosed) quote_state_ = Quote::None;
    end_field();
    return std::move(facts_);
  }

 private:
  enum class Quote { None, Inside, MaybeClosed };
  static constexpr std::size_t kLongestNumber = 32;

  void end_field() {
    if (!in_field_) return;
    if (skip_ > 0) {
      --skip_;
    } else {
      if (quoted_) {
        facts_.longest_text = std::max(facts_.longest_text, text_length_);
        if (text_length_ > 0 && last_in_text_ == ' ') facts_.texts_end_in_blanks = true;
      }
      if (!quoted_ && columns_ > 0 && !fits_long(number_))
        facts_.beyond_long[field_ % columns_] = true;
      ++field_;
    }
    in_field_ = quoted_ = false;
    text_length_ = 0;
    number_.clear();
  }

  // A field that is no whole number (a real, a name) is no concern here.
  static bool fits_long(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (stop != end) return true;
    if (failure == std::errc::result_out_of_range) return false;
    return value >= kStataLongMin && value <= kStataLongMax;
  }

  char separator_;
  std::size_t skip_;
  std::size_t columns_;
  WrittenTexts facts_;
  Quote quote_state_ = Quote::None;
  bool in_field_ = false;
  bool quoted_ = false;
  std::size_t text_length_ = 0;
  char last_in_text_ = 0;
  std::string number_;
  std::size_t field_ = 0;
};

}  // namespace

WrittenTexts written_texts(const std::string& data_file, char separator, bool header,
                           std::size_t columns) {
  FieldScanner scanner(separator, header, columns);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(data_file.c_str(), "rb"));
  if (!file) return scanner.finish();
  auto block = std::make_unique<char[]>(kReadBlock);
  std::size_t count = 0;
  while ((count = std::fread(block.get(), 1, kReadBlock, file.get())) > 0)
    for (std::size_t i = 0; i < count; ++i) scanner.take(block[i]);
  return scanner.finish();
}

std::size_t longest_quoted_text(const std::string& data_file) {
  return written_texts(data_file, ',', false, 0).longest_text;
}

std::string utf8_prefix(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  std::size_t end = bytes;
  // Step back over continuation bytes (10xxxxxx) to the start of the
  // character the cut would split.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace tandrel
