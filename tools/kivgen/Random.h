#pragma once

// The generator's own random numbers. Standard library distributions are
// avoided on purpose: their output differs between library versions, and
// the committed sample must come out byte for byte the same everywhere.

#include <cstdint>
#include <utility>
#include <vector>

namespace kivgen {

// splitmix64: one 64-bit word of state, good enough statistics for test
// data, and trivially reproducible.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in [0, n) for 1 <= n < 2^32: the top 32 bits scaled by n.
  std::uint32_t below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
  }

  // Uniform in [lo, hi], both included; lo when hi < lo.
  std::int64_t between(std::int64_t lo, std::int64_t hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<std::int64_t>(below(static_cast<std::uint32_t>(hi - lo + 1)));
  }

  // True with a probability of per_mille / 1000.
  bool chance(std::uint32_t per_mille) { return below(1000) < per_mille; }

  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[below(static_cast<std::uint32_t>(items.size()))];
  }

  // Fisher-Yates, so that the order depends only on the seed.
  template <typename T>
  void shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) {
      std::swap(items[i - 1], items[below(static_cast<std::uint32_t>(i))]);
    }
  }

 private:
  std::uint64_t state_;
};

// An independent stream for one purpose (`tag`) and one item (`index`), so
// that adding a variable or a group does not change what the others get.
inline Rng stream(std::uint64_t seed, std::uint64_t tag, std::uint64_t index = 0) {
  Rng mixer(seed ^ (tag * 0xD1B54A32D192ED03ULL));
  const std::uint64_t a = mixer.next();
  Rng second(a ^ (index * 0x9E3779B97F4A7C15ULL));
  return Rng(second.next());
}

}  // namespace kivgen
