#pragma once

// Tgroup_index_obj: gives every KIV group found in the data file a compact
// slot 0..1000 and keeps its numcode, name, country, region and diaspora.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "process/Bounded.h"
#include "reference/Regions.h"
#include "reference/TextReader.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

inline constexpr int kMaxGroupSlot = 1000;
inline constexpr int kMaxNumcode = 99999;

struct group_record {
  group_range numcode = -1;
  std::string name = "BLANK";
  ccode_range ccode = -1;
  kiv_region_type region = kiv_region_type::KivRegNone;
  diaspora_type diaspora = 0;
};

class Tgroup_index_obj {
 public:
  // Reads the key columns of every line of data set 0's data file; the first
  // line of a numcode gives its group's name, country, region and diaspora.
  // Raises EInOutError (after its critical report) when the file cannot be
  // read, and ERangeError for key values out of their range.
  // Regions are looked up in `regions`, which must outlive the index.
  Tgroup_index_obj(const Tuser_data_set_listing_obj& description,
                   const Tregion_list_info_obj& regions);
  // An index that read nothing: look-ups report "before initialization".
  explicit Tgroup_index_obj(const Tregion_list_info_obj& regions);
  // An initialized index without groups, for building one by add_group.
  static Tgroup_index_obj empty_initialized(std::int32_t region_missing_value,
                                            const Tregion_list_info_obj& regions);

  // index, get_numcode, get_name and get_group_country report a critical
  // error when called before initialization and give -1 (or "BLANK").

  // Slot of `numcode`; -1 for -1 and for numcodes without a slot.
  std::int16_t index(std::int32_t numcode) const;
  bool have_group(std::int32_t numcode) const { return index(numcode) != -1; }
  std::int32_t get_numcode(std::int32_t slot) const;
  std::string get_name(std::int32_t numcode) const;
  std::int32_t get_group_country(std::int32_t numcode) const;
  bool has_ccode(std::int32_t ccode) const;
  bool has_region(kiv_region_type region) const;
  bool has_diaspora(std::int32_t diaspora) const;
  // Appends a group in slot `count`. Raises ERangeError for values out of
  // their range or a 1002nd group.
  void add_group(std::int32_t numcode, const std::string& name, std::int32_t diaspora,
                 std::int32_t region_code, std::int32_t ccode);

  bool initialized() const { return initialized_; }
  std::int32_t count() const { return count_; }
  // The record of a slot -1..1000; ERangeError for any other slot.
  const group_record& group(std::int32_t slot) const;

  // Fast path for the engine: the slot without the initialization check;
  // -1 for numcode -1 and for numcodes outside 0..99999 or without a slot.
  std::int16_t slot_of(std::int32_t numcode) const {
    return numcode < 0 || numcode > kMaxNumcode ? -1 : slot_by_numcode_[numcode + 1];
  }

 private:
  void read_data_file(TextReader& file, const Tuser_data_set_listing_obj& description);
  kiv_region_type region_for(std::int32_t region_code) const;

  std::vector<std::int16_t> slot_by_numcode_;  // numcodes -1..99999
  std::vector<group_record> groups_;           // slots -1..1000
  const Tregion_list_info_obj* regions_;
  std::int32_t count_ = 0;
  std::int32_t region_missing_value_ = -99;
  bool initialized_ = false;
};

}  // namespace tandrel
