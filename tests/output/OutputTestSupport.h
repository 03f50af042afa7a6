#pragma once

// Shared by the output tests: a fixture with an open error log and readers
// for its reports and trace, and small descriptions built in memory.

#include <algorithm>
#include <string>
#include <vector>

#include "reference/DataSetListing.h"
#include "support/GlobalsFixture.h"

namespace tandrel::test {

class OutputFixture : public GlobalsFixture {
 protected:
  OutputFixture() { open_error_log(); }

  // The message of the last error dialog, without time stamp and suffix.
  std::string last_report() const {
    for (auto it = platform.shown().rbegin(); it != platform.shown().rend(); ++it) {
      if (it->what != "TErrorDialog") continue;
      const auto begin = it->text.find(":  ") + 3;
      return it->text.substr(begin, it->text.rfind(".  Non-critical Error") - begin);
    }
    return "";
  }
  bool traced(const std::string& text) const {
    auto lines = trace_lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
  }
};

struct TestVariable {
  std::string name;
  std::int16_t type;
  std::int32_t missing = -99;
};

// A one-data-set description whose variables are described "<name> label".
inline Tuser_data_set_listing_obj make_listing(const std::vector<TestVariable>& variables) {
  data_set_info_record ds;
  for (const TestVariable& variable : variables) {
    one_var_data_type v;
    v.var_name = variable.name;
    v.var_type = variable.type;
    v.missing_value = variable.missing;
    v.description = variable.name + " label";
    ds.variables.push_back(v);
  }
  return Tuser_data_set_listing_obj(std::vector<data_set_info_record>{ds});
}

}  // namespace tandrel::test
