// tandrel-kivgen: writes the synthetic sample data set and benchmark installations.
#include <iostream>
#include <string>
#include <vector>

#include "kivgen/Installation.h"
#include "kivgen/Options.h"

namespace {

void report(const kivgen::Summary& s) {
  std::cout << "wrote " << s.data_file << ": " << s.groups << " groups in " << s.states
            << " states, " << s.lines << " lines, " << s.variables << " variables, " << s.bytes
            << " bytes\n";
}

}  // namespace

int main(int argc, char** argv) {
  kivgen::Command command;
  try {
    command = kivgen::parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const kivgen::UsageError& e) {
    std::cerr << "tandrel-kivgen: " << e.what() << "\n" << kivgen::kUsage;
    return 2;
  }
  try {
    if (const auto* sample = std::get_if<kivgen::SampleOptions>(&command)) {
      report(kivgen::write_sample(*sample));
    } else if (const auto* bench = std::get_if<kivgen::BenchOptions>(&command)) {
      report(kivgen::write_bench(*bench));
    } else {
      std::cout << kivgen::kUsage;
    }
  } catch (const std::exception& e) {
    std::cerr << "tandrel-kivgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
