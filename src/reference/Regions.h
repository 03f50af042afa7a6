#pragma once

// The KIV regions: their enumeration, their codes in the data and their names.

#include <array>
#include <cstdint>
#include <string>

namespace tandrel {

enum class kiv_region_type : std::uint8_t {
  KivRegNone = 0,
  KivRegWestern0 = 1,
  KivRegEEuropeUssr2 = 2,
  KivRegAsia3 = 3,
  KivRegNAfrica5 = 4,
  KivRegSubsahara6 = 5,
  KivRegLatin7 = 6,
};

inline constexpr int kRegionCount = 7;

// The region list: seven entries in enumeration order, read-only once built.
class Tregion_list_info_obj {
 public:
  struct Entry {
    std::int32_t code;
    kiv_region_type region;
    std::string name;
  };

  Tregion_list_info_obj();

  // Each searches the entries from the first and takes the first match.
  kiv_region_type get_region_from_code(std::int32_t code) const;
  std::int32_t get_code_from_region(kiv_region_type region) const;
  std::string get_region_name(kiv_region_type region) const;
  // An unknown name draws a critical report and gives KivRegNone.
  kiv_region_type get_region_from_name(const std::string& name) const;

  const std::array<Entry, kRegionCount>& entries() const { return entries_; }

 private:
  std::array<Entry, kRegionCount> entries_;
};

}  // namespace tandrel
