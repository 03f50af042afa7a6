#pragma once

// Integer types with a fixed range. Assigning a value outside the range
// raises ERangeError, so out-of-range codes are caught where they arise.

#include <cstdint>
#include <string>

#include "process/Exceptions.h"

namespace tandrel {

template <typename Storage, long long Lo, long long Hi>
class Bounded {
 public:
  using storage_type = Storage;
  static constexpr long long kMin = Lo;
  static constexpr long long kMax = Hi;

  constexpr Bounded() : value_(static_cast<Storage>(Lo < 0 && Hi >= 0 ? 0 : Lo)) {}
  constexpr Bounded(long long v) : value_(check(v)) {}  // NOLINT: implicit by design

  constexpr operator Storage() const { return value_; }  // NOLINT
  constexpr Storage value() const { return value_; }

  static constexpr bool in_range(long long v) { return v >= Lo && v <= Hi; }

 private:
  static constexpr Storage check(long long v) {
    if (!in_range(v))
      throw ERangeError("Range check error: " + std::to_string(v) + " is outside " +
                        std::to_string(Lo) + ".." + std::to_string(Hi));
    return static_cast<Storage>(v);
  }
  Storage value_;
};

// A KIV group number (numcode).
using group_range = Bounded<std::int32_t, -1, 99999>;
// A COW country code.
using ccode_range = Bounded<std::int16_t, -1, 1000>;
// A diaspora code; -99 is the data set's missing-value code.
using diaspora_type = Bounded<std::int16_t, -99, 1000>;
// A year the engine and the nation list can hold.
using year_type = Bounded<std::int16_t, 1800, 2025>;

inline constexpr int kFirstEngineYear = 1800;
inline constexpr int kLastEngineYear = 2025;
inline constexpr int kEngineYears = kLastEngineYear - kFirstEngineYear + 1;

}  // namespace tandrel
