#pragma once

// Shared by the command-file tests: output columns built by set_header from
// a small description, and the reports made so far.

#include <string>
#include <vector>

#include "output/CommandFileFormats.h"
#include "output/OutputColumns.h"
#include "output/OutputTestSupport.h"

namespace tandrel::test {

struct TestColumns {
  display_output_array_type rows;
  output_variable_lists lists;
};

// The columns of a run that outputs every variable of `variables`.
inline TestColumns columns_of(const std::vector<TestVariable>& variables, bool merged) {
  Tuser_data_set_listing_obj description = make_listing(variables);
  user_selection_type s;
  for (std::size_t v = 0; v < variables.size(); ++v)
    s.variable_selections.variable_columns.push_back(static_cast<std::int32_t>(v));
  TestColumns columns;
  std::string header_line, separator;
  set_header(description, merged, s, columns.rows, columns.lists, header_line, separator);
  return columns;
}

inline TestVariable integer(const std::string& name) {
  return {name, kVarTypeInteger};
}
inline TestVariable real(const std::string& name) {
  return {name, kVarTypeReal};
}
inline TestVariable text(const std::string& name) {
  return {name, kVarTypeString};
}

class CommandFileFixture : public OutputFixture {
 protected:
  CommandFileFixture() {
    selections.output_format.destination = output_destination_type::DestFile;
    selections.output_format.output_file_name = dir.file("out.csv");
    selections.first_year = 1990;
    selections.last_year = 2000;
  }
  CommandFileInput input(TestColumns& columns, int lines, bool merged = false) {
    return CommandFileInput{selections, lines, merged, columns.rows, columns.lists};
  }
  // The messages of every error dialog shown, in order.
  std::vector<std::string> reports() const {
    std::vector<std::string> texts;
    for (const auto& shown : platform.shown()) {
      if (shown.what != "TErrorDialog") continue;
      const auto begin = shown.text.find(":  ") + 3;
      texts.push_back(shown.text.substr(begin, shown.text.rfind(".  Non-critical") - begin));
    }
    return texts;
  }
  // The folder of the data file, as the files quote it.
  std::string folder() const { return dir.path() + "/"; }

  user_selection_type selections;
};

// Lines from `first` on, `count` of them.
inline std::vector<std::string> slice(const CommandFileLines& lines, std::size_t first,
                                      std::size_t count) {
  if (first >= lines.size()) return {};
  const std::size_t end = std::min(lines.size(), first + count);
  return {lines.begin() + static_cast<std::ptrdiff_t>(first),
          lines.begin() + static_cast<std::ptrdiff_t>(end)};
}

}  // namespace tandrel::test
