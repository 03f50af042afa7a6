#pragma once

// The file dialogs' filters: "Comma-Separated-Variable files (*.CSV)|*.CSV|
// All files (*.*)|*.*" in pairs of a description and a pattern.

#include <string>
#include <string_view>

namespace tandrel::platform {

// The extension a name typed without one takes under the filter `pattern`,
// in lower case and without the dot: "*.CSV" gives "csv"; a pattern that
// names no one extension ("*.*", "*", "*.csv;*.txt") gives "".
std::string filter_extension(std::string_view pattern);

}  // namespace tandrel::platform
