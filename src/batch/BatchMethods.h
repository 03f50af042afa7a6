#pragma once

// --methods: the methods paragraph of the selections in force, printed
// without running.

#include <ostream>

namespace tandrel {

struct ProcessGlobals;

void print_methods(std::ostream& out, const ProcessGlobals& g);

}  // namespace tandrel
