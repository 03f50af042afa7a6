#pragma once

// How long the texts are that a run wrote to its data file, so that the
// command files can declare string columns wide enough to read them whole.

#include <cstddef>
#include <string>

namespace tandrel {

// The length in bytes of the longest double-quoted text in `data_file`, or
// 0 when it holds none or cannot be read. The data file is usually still
// open when the command files are written: its channel must be flushed
// first.
std::size_t longest_quoted_text(const std::string& data_file);

}  // namespace tandrel
