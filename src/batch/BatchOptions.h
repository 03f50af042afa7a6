#pragma once

// The command line of tandrel-batch, parsed without looking at any data.
// Checking codes and names against the installation comes after start-up.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "reference/Selections.h"

namespace tandrel {

struct BatchOptions {
  std::string program_dir;
  std::string settings_file;
  std::string save_settings_file;
  std::optional<physical_aggregation_type> unit;
  std::optional<temporal_aggregation_type> period;
  std::optional<std::pair<int, int>> years;
  std::optional<std::vector<int>> groups;
  std::optional<std::vector<int>> states;
  std::optional<std::vector<int>> regions;
  bool controls = false;
  std::optional<std::vector<int>> control_states;  // absent with --controls all
  std::optional<interpolation_method_type> interpolate;
  bool no_missing_cases = false;
  std::optional<std::vector<std::string>> vars;  // absent: the settings' or none
  bool all_vars = false;
  std::optional<std::string> out;
  std::optional<separator_type> separator;
  bool no_header = false;
  bool stata = false;
  bool spss = false;
  bool limdep = false;
  bool dta = false;
  bool sav = false;
  bool provenance = false;
  bool codebook = false;
  bool methods = false;
  bool trace = false;
  bool quiet = false;
  bool help = false;
  bool version = false;
  std::optional<std::string> list;
};

// A command line that cannot be understood; the message says why.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Raises UsageError. A value follows its option as the next argument or
// after "=" in the same one ("--unit=state").
BatchOptions parse_batch_options(const std::vector<std::string>& args);

// The options given that write files next to the data file (command files
// and any other file made from the data), in a fixed order; each needs --out.
std::vector<std::string> file_output_options(const BatchOptions& options);

extern const char* const kBatchUsage;

}  // namespace tandrel
