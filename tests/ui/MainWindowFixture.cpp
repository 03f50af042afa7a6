#include "ui/MainWindowFixture.h"

#include <algorithm>
#include <memory>

#include "reference/DataSetListing.h"
#include "reference/Regions.h"
#include "support/MiniInstallation.h"

namespace tandrel::test {

std::vector<WindowVariable> interval_variables() {
  return {{"v0", 0},
          {"v1", 1},
          {"v2", 2},
          {"v3", 3},
          {"v5", 5},
          {"v10", 10},
          {"label", 0, 0, kVarTypeString}};
}

namespace {

std::string data_line(const std::string& keys, int year, std::size_t extra) {
  std::string line = keys;
  line.insert(line.find(",", line.find(",") + 1), "," + std::to_string(year));
  for (std::size_t i = 0; i < extra; ++i) line += ",1";
  return line;
}

}  // namespace

void MainWindowFixture::start(const std::vector<WindowVariable>& variables) {
  MiniInstallationPlan plan;
  for (const WindowVariable& v : variables) plan.variables.push_back({v.name, v.type});
  for (int year : {1990, 1991})
    for (const char* keys : {"201,Alpha,2,0,10", "202,Beta,2,0,2", "2001,Gamma,20,7,-99"})
      plan.lines.push_back(data_line(keys, year, variables.size()));
  plan.first_year = 1945;
  plan.last_year = 2003;
  plan.states.push_back({70, "MEX", "Mexico"});
  MiniInstallation installation(g, session, dir, plan);
  data_set_info_record ds = session.description->data_set(0);
  for (one_var_data_type& v : ds.variables) v.tab_label = "Identifiers";
  for (std::size_t i = 0; i < variables.size(); ++i) {
    one_var_data_type& v = ds.variables[6 + i];
    v.interval = variables[i].interval;
    v.tab_number = variables[i].tab;
    v.tab_label = "Tab " + std::to_string(variables[i].tab);
  }
  session.description = std::make_unique<Tuser_data_set_listing_obj>(
      std::vector<data_set_info_record>{std::move(ds)});
  set_default_selections((*session.selections), *session.description);
  windows.create_main_window();
  windows.create_subset_dialogs();
  windows.build_variable_pages();
  windows.create_remaining_windows();
  session.main_frame->initialized = true;
}

std::size_t MainWindowFixture::box(const std::string& name) const {
  const auto& boxes = windows.form()->VarCheckBoxes;
  for (std::size_t k = 0; k < boxes.size(); ++k)
    if (session.description->get_var_name(0, boxes[k].variable) == name) return k;
  ADD_FAILURE() << "no box for " << name;
  return 0;
}

std::vector<std::string> MainWindowFixture::chosen_boxes() const {
  std::vector<std::string> out;
  for (const VariableBox& b : windows.form()->VarCheckBoxes)
    if (b.checked && b.enabled) out.push_back(session.description->get_var_name(0, b.variable));
  return out;
}

std::vector<std::string> MainWindowFixture::names(
    const std::vector<std::int32_t>& variables) const {
  std::vector<std::string> out;
  for (std::int32_t v : variables) out.push_back(session.description->get_var_name(0, v));
  return out;
}

bool MainWindowFixture::shown(const std::string& dialog) const {
  const auto& all = platform.shown();
  return std::any_of(all.begin(), all.end(), [&](const auto& s) { return s.what == dialog; });
}

}  // namespace tandrel::test
