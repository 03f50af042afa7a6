#include "engine/TaggedValue.h"

#include <charconv>
#include <cmath>
#include <mutex>
#include <unordered_set>

#include "process/Exceptions.h"
#include "reference/Convert.h"

namespace tandrel {

namespace {

struct PoolHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Node-based, so pooled strings never move.
std::unordered_set<std::string, PoolHash, std::equal_to<>>& pool() {
  static std::unordered_set<std::string, PoolHash, std::equal_to<>> strings;
  return strings;
}

std::string shortest_text(double v) {
  char buffer[64];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

}  // namespace

const std::string* intern_text(std::string_view text) {
  // Data lines may be read ahead on a helper thread.
  static std::mutex guard;
  std::lock_guard<std::mutex> lock(guard);
  auto& strings = pool();
  auto it = strings.find(text);
  if (it == strings.end()) it = strings.emplace(text).first;
  return &*it;
}

TaggedValue TaggedValue::real(double v) {
  TaggedValue t;
  t.kind_ = Kind::Double;
  t.d_ = v;
  return t;
}

TaggedValue TaggedValue::text(std::string_view v) {
  return interned(intern_text(v));
}

TaggedValue TaggedValue::interned(const std::string* pooled) {
  TaggedValue t;
  t.kind_ = Kind::Text;
  t.s_ = pooled;
  return t;
}

std::int64_t TaggedValue::other_to_int() const {
  if (kind_ == Kind::Text) {
    if (auto v = try_str_to_int(*s_)) return *v;
    if (auto d = try_str_to_float(*s_)) return std::llrint(*d);
    throw EConvertError("Could not convert variant of type (String) into type (Integer)");
  }
  if (kind_ == Kind::Double) return std::llrint(d_);
  return 0;  // empty
}

double TaggedValue::other_to_double() const {
  if (kind_ == Kind::Text) {
    if (auto d = try_str_to_float(*s_)) return *d;
    throw EConvertError("Could not convert variant of type (String) into type (Double)");
  }
  return 0.0;  // empty
}

std::string TaggedValue::to_text() const {
  switch (kind_) {
    case Kind::Empty:
      return "";
    case Kind::Double:
      return shortest_text(d_);
    case Kind::Text:
      return *s_;
    default:
      return std::to_string(i_);
  }
}

int TaggedValue::compare_mixed(const TaggedValue& a, const TaggedValue& b) {
  if (a.is_numeric() && b.is_numeric()) {
    double x = a.to_double(), y = b.to_double();
    return (x > y) - (x < y);
  }
  std::string x = a.to_text(), y = b.to_text();
  return x.compare(y) < 0 ? -1 : (x == y ? 0 : 1);
}

double numeric_difference(const TaggedValue& b, const TaggedValue& a) {
  if (a.is_integer() && b.is_integer()) return static_cast<double>(b.to_int() - a.to_int());
  return b.to_double() - a.to_double();
}

}  // namespace tandrel
