#pragma once

// Small descriptions built in memory for the output tests.

#include <string>
#include <vector>

#include "reference/DataSetListing.h"

namespace tandrel::test {

struct VariableSpec {
  std::string name;
  std::int16_t type;
  std::int32_t missing = -99;
};

// A one-data-set description whose variables are described "<name> label".
inline Tuser_data_set_listing_obj make_listing(const std::vector<VariableSpec>& specs) {
  data_set_info_record ds;
  for (const VariableSpec& spec : specs) {
    one_var_data_type v;
    v.var_name = spec.name;
    v.var_type = spec.type;
    v.missing_value = spec.missing;
    v.description = spec.name + " label";
    ds.variables.push_back(v);
  }
  return Tuser_data_set_listing_obj(std::vector<data_set_info_record>{ds});
}

// Variable numbers 0..n-1.
inline std::vector<std::int32_t> first_columns(int n) {
  std::vector<std::int32_t> columns;
  for (int i = 0; i < n; ++i) columns.push_back(i);
  return columns;
}

}  // namespace tandrel::test
