#pragma once

// One line that says what Go would build from the selections as they stand:
// "State × 5-year, 1950–2000, 6 of 120 states, 18 variables, to states5.csv".

#include <cstddef>
#include <string>

#include "reference/Selections.h"

namespace tandrel {

// How many items each subset dialog offers: the "of 120" of "6 of 120 states".
struct SubsetTotals {
  std::size_t groups = 0;
  std::size_t states = 0;
  std::size_t regions = 0;
  std::size_t diasporas = 0;
};

struct Session;

// The totals of the reference data the session has read (all zero before).
SubsetTotals subset_totals(const Session& session);

// `variables`: the variable boxes that are checked and open.
std::string go_summary(const user_selection_type& selections, std::size_t variables,
                       const SubsetTotals& totals);

class TGenerateForm;

// The line for the main window as it stands: its selections and the
// variable boxes that are checked and open (Go's own additions, the
// identifier variables, are not counted).
std::string go_summary(const TGenerateForm& form, const SubsetTotals& totals);

}  // namespace tandrel
