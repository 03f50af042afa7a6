#include "reference/Selections.h"

#include <algorithm>

#include "reference/DataSetListing.h"

namespace tandrel {

void set_default_selections(user_selection_type& selections,
                            const Tuser_data_set_listing_obj& description) {
  selections = user_selection_type{};
  selections.first_year = description.get_first_year_possible(0);
  selections.last_year = description.get_last_year_possible(0);
}

bool column_selected(const user_selection_type& selections, std::int32_t variable) {
  const auto& columns = selections.variable_selections.variable_columns;
  return std::find(columns.begin(), columns.end(), variable) != columns.end();
}

}  // namespace tandrel
