#pragma once

// Engine tests: a mini installation per test, the error log open, and the
// reports of the log as a list of messages.

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/KIVArray.h"
#include "support/GlobalsFixture.h"
#include "support/MiniInstallation.h"

namespace tandrel::test {

class EngineFixture : public GlobalsFixture {
 protected:
  EngineFixture() { open_error_log(); }

  MiniInstallation& install(MiniInstallationPlan plan) {
    inst.emplace(g, session, dir, std::move(plan));
    return *inst;
  }
  std::unique_ptr<TKIV_array_obj> load(int first_year, int last_year) {
    return std::make_unique<TKIV_array_obj>(inst->description(), g.configuration, 0, first_year,
                                            last_year, (*session.selections), inst->reference());
  }
  TaggedValue value(const TKIV_array_obj& data, const std::string& name, int year,
                    std::int32_t numcode) const {
    return data.get_group_value(0, inst->var(name), year, numcode);
  }

  // The messages of the error log, in order.
  std::vector<std::string> reports() const {
    std::vector<std::string> found;
    std::istringstream log(error_log_text());
    std::string line;
    while (std::getline(log, line))
      if (line.rfind("Error at ", 0) == 0 && std::getline(log, line)) found.push_back(line);
    return found;
  }
  // The messages logged after the first `earlier` ones.
  std::vector<std::string> reports_since(std::size_t earlier) const {
    std::vector<std::string> all = reports();
    all.erase(all.begin(),
              all.begin() + static_cast<std::ptrdiff_t>(std::min(earlier, all.size())));
    return all;
  }
  long count_of(const std::string& message) const {
    const auto all = reports();
    return std::count(all.begin(), all.end(), message);
  }
  bool traced(const std::string& line) const {
    const auto lines = trace_lines();
    return std::any_of(lines.begin(), lines.end(), [&line](const std::string& l) {
      return l.size() >= line.size() && l.compare(l.size() - line.size(), line.size(), line) == 0;
    });
  }

  std::optional<MiniInstallation> inst;
};

// Identifiers, then pop (integer), share (real, missing -999) and note (text).
inline std::vector<MiniVariable> test_variables() {
  auto vars = identifier_variables();
  vars.push_back({"pop", kVarTypeInteger, -99});
  vars.push_back({"share", kVarTypeReal, -999});
  vars.push_back({"note", kVarTypeString, -99});
  return vars;
}

}  // namespace tandrel::test
