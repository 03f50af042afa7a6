#pragma once

// The methods paragraph: a few sentences a researcher can paste into a
// paper, saying how a data set was made: the data and their version, unit
// and period, years, subsets, filling, control cases, its size, the program's
// version, and how to cite the data.

#include <cstdint>
#include <optional>
#include <string>

#include "reference/Selections.h"

namespace tandrel {

class Tuser_data_set_listing_obj;

struct MethodsFacts {
  const user_selection_type& selections;
  std::string data_file;              // the KIV data file, as the description names it
  std::string data_set_version;       // empty when the installation does not say
  std::string citation;               // empty when the installation does not say
  std::optional<std::int64_t> cases;  // unknown before the run
  std::size_t variables = 0;          // the variables chosen
};

// The citation line used when Tandrel.ini gives none.
inline constexpr const char* kCitationPlaceholder =
    "[Citation of the Kivora data: add a \"citation\" entry to Tandrel.ini.]";

std::string methods_paragraph(const MethodsFacts& facts);

}  // namespace tandrel
