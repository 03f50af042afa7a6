#include "batch/BatchLists.h"

#include <ostream>

#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/Session.h"
#include "reference/SubsetSources.h"

namespace tandrel {

namespace {

const char* type_word(std::int16_t type) {
  switch (type) {
    case kVarTypeInteger:
      return "integer";
    case kVarTypeReal:
      return "real";
    case kVarTypeString:
    case kVarTypeOleString:
      return "string";
    default:
      return "unknown";
  }
}

void print_items(std::ostream& out, const std::vector<SubsetItem>& items) {
  for (const auto& item : items) out << item.key << '\t' << item.text << '\n';
}

void print_groups(std::ostream& out, const Session& session) {
  for (const auto& item : group_items(*session.group_index, *session.nation_array)) {
    // The item text starts with the (possibly zero-padded) numcode.
    auto blank = item.text.find(' ');
    out << item.key << '\t' << item.text.substr(blank + 1) << '\n';
  }
}

void print_variables(std::ostream& out, const Tuser_data_set_listing_obj& d) {
  out << "number\tname\ttype\tinterval\tmissing\ttab\tdescription\n";
  for (int v = 0; v < d.get_number_of_variables(0); ++v) {
    out << v << '\t' << d.get_var_name(0, v) << '\t' << type_word(d.get_var_type(0, v)) << '\t'
        << d.get_var_interval(0, v) << '\t' << d.get_var_missing_value(0, v) << '\t'
        << d.get_var_tab_label(0, v) << '\t' << d.get_var_description(0, v) << '\n';
  }
}

// Groups whose diaspora is unknown carry the diaspora variable's missing
// code, which names no diaspora.
void print_diasporas(std::ostream& out, const Session& session) {
  const Tuser_data_set_listing_obj& d = *session.description;
  const std::int32_t variable = d.find_var_number(0, "diaspora");
  for (const auto& item : diaspora_items(*session.group_index))
    if (variable < 0 || item.key != d.get_var_missing_value(0, variable))
      out << item.key << '\t' << item.text << '\n';
}

}  // namespace

const std::vector<std::string>& batch_list_names() {
  static const std::vector<std::string> names = {"groups",  "states",    "nonkiv-states",
                                                 "regions", "diasporas", "variables"};
  return names;
}

void print_batch_list(std::ostream& out, const std::string& list, const Session& session) {
  const Tuser_data_set_listing_obj& d = *session.description;
  if (list == "groups") {
    print_groups(out, session);
  } else if (list == "states") {
    print_items(out, kiv_state_items(*session.group_index, *session.nation_array));
  } else if (list == "nonkiv-states") {
    print_items(out, nonkiv_state_items(*session.group_index, *session.nation_array,
                                        d.get_first_year_possible(0), d.get_last_year_possible(0)));
  } else if (list == "regions") {
    for (const auto& item : region_items(*session.group_index, *session.region_list))
      out << session.region_list->get_code_from_region(static_cast<kiv_region_type>(item.key))
          << '\t' << item.text << '\n';
  } else if (list == "diasporas") {
    print_diasporas(out, session);
  } else if (list == "variables") {
    print_variables(out, d);
  }
}

}  // namespace tandrel
