#pragma once

// Tccode_index_obj: maps a COW code to a compact nation number 1..250 and back.

#include <array>
#include <cstdint>
#include <string>

namespace tandrel {

inline constexpr int kMaxNations = 250;

class Tccode_index_obj {
 public:
  // Reads the nation list file: every code gets the next nation number in
  // order of first appearance. Raises EInOutError (after its critical
  // report) when the file cannot be read, ERangeError for a code outside
  // -1..1000 or more than 250 codes.
  explicit Tccode_index_obj(const std::string& nation_list_file_name);
  // An index that read nothing: every lookup reports "before initialization".
  Tccode_index_obj();

  // Nation number of `code`; -1 for -1, for codes not on the list and for
  // codes outside -1..1000 (missing-value codes of the data among them).
  std::int16_t index(std::int32_t code) const;
  // COW code of a nation number; -1 where no state has the number.
  std::int16_t code_of(std::int32_t nation_number) const;
  bool initialized() const { return initialized_; }

 private:
  void take_code(std::int32_t code);

  std::array<std::int16_t, 1002> number_by_code_;  // codes -1..1000
  std::array<std::int16_t, 252> code_by_number_;   // numbers -1..250
  std::int16_t nation_count_ = 0;
  bool initialized_ = false;
};

}  // namespace tandrel
