#pragma once

// TaggedValue: one data value of the engine, 16 bytes. Numeric kinds compare
// and subtract as numbers whatever their kind; dividing is real division; a
// real converts to an integer by rounding (ties to even). Text points into a
// process-wide pool of interned strings, so copying a value never allocates
// and a value stays valid for the life of the process.

#include <cstdint>
#include <string>
#include <string_view>

namespace tandrel {

class TaggedValue {
 public:
  enum class Kind : std::uint8_t {
    Empty,
    Int8,
    UInt8,
    Int16,
    UInt16,
    Int32,
    Int64,
    Bool,
    Double,
    Text,
  };

  constexpr TaggedValue() : i_(0), kind_(Kind::Empty) {}

  static constexpr TaggedValue int8(std::int8_t v) { return TaggedValue(Kind::Int8, v); }
  static constexpr TaggedValue uint8(std::uint8_t v) { return TaggedValue(Kind::UInt8, v); }
  static constexpr TaggedValue int16(std::int16_t v) { return TaggedValue(Kind::Int16, v); }
  static constexpr TaggedValue uint16(std::uint16_t v) { return TaggedValue(Kind::UInt16, v); }
  static constexpr TaggedValue int32(std::int32_t v) { return TaggedValue(Kind::Int32, v); }
  static constexpr TaggedValue int64(std::int64_t v) { return TaggedValue(Kind::Int64, v); }
  static constexpr TaggedValue boolean(bool v) { return TaggedValue(Kind::Bool, v ? 1 : 0); }
  static TaggedValue real(double v);
  // An integer of kind `k` (Int8..Bool), as the value stored in a typed
  // column gives it back; `v` must lie in the kind's range.
  static constexpr TaggedValue of_integer(Kind k, std::int64_t v) { return TaggedValue(k, v); }
  // Interns `v` in the process-wide pool.
  static TaggedValue text(std::string_view v);
  // A text already interned (see intern_text).
  static TaggedValue interned(const std::string* pooled);

  Kind kind() const { return kind_; }
  bool is_empty() const { return kind_ == Kind::Empty; }
  bool is_text() const { return kind_ == Kind::Text; }
  bool is_real() const { return kind_ == Kind::Double; }
  bool is_integer() const { return kind_ >= Kind::Int8 && kind_ <= Kind::Bool; }
  bool is_numeric() const { return is_integer() || is_real(); }

  // The integer value: integers as they are, reals rounded (ties to even),
  // empty as 0, text converted (raises EConvertError when it is no integer).
  std::int64_t to_int() const { return is_integer() ? i_ : other_to_int(); }
  // The real value: text converted (raises EConvertError), empty as 0.
  double to_double() const {
    return is_real() ? d_ : (is_integer() ? static_cast<double>(i_) : other_to_double());
  }
  // The text: text as it is, integers in decimal, reals as the shortest
  // decimal that reads back the same, empty as "".
  std::string to_text() const;
  // The pooled text; only for is_text().
  const std::string& text_ref() const { return *s_; }

  // Numeric test against a missing-value code; text and empty never match.
  bool equals_code(std::int64_t code) const {
    return is_integer() ? i_ == code : is_real() && d_ == static_cast<double>(code);
  }

  // Comparison as the engine needs it: numbers as numbers, texts as texts;
  // a number against a text compares the number's decimal text.
  friend int compare(const TaggedValue& a, const TaggedValue& b) {
    if (a.is_integer() && b.is_integer()) return (a.i_ > b.i_) - (a.i_ < b.i_);
    if (a.is_real() && b.is_real()) return (a.d_ > b.d_) - (a.d_ < b.d_);
    return compare_mixed(a, b);
  }
  friend bool operator==(const TaggedValue& a, const TaggedValue& b) { return compare(a, b) == 0; }
  friend bool operator<(const TaggedValue& a, const TaggedValue& b) { return compare(a, b) < 0; }
  friend bool operator>(const TaggedValue& a, const TaggedValue& b) { return compare(a, b) > 0; }

 private:
  constexpr TaggedValue(Kind k, std::int64_t v) : i_(v), kind_(k) {}
  static int compare_mixed(const TaggedValue& a, const TaggedValue& b);
  // to_int and to_double of the kinds that are not numbers.
  std::int64_t other_to_int() const;
  double other_to_double() const;

  union {
    std::int64_t i_;
    double d_;
    const std::string* s_;
  };
  Kind kind_;
};

// Interns `text` in the process-wide pool and returns the pooled string.
const std::string* intern_text(std::string_view text);

// v_b - v_a as a real (both numeric).
double numeric_difference(const TaggedValue& b, const TaggedValue& a);

}  // namespace tandrel
