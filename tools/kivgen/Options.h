#pragma once

// The command line of tandrel-kivgen.

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "kivgen/Installation.h"

namespace kivgen {

struct HelpRequest {};

using Command = std::variant<HelpRequest, SampleOptions, BenchOptions>;

// A command line that cannot be run; the message says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

extern const char* const kUsage;

// The arguments after the program name; raises UsageError.
Command parse_command_line(const std::vector<std::string>& args);

}  // namespace kivgen
