#pragma once

// --methods: the methods paragraph of the selections in force, printed
// without running.

#include <ostream>

namespace tandrel {

struct ProcessGlobals;
struct Session;

void print_methods(std::ostream& out, const ProcessGlobals& g, const Session& session);

}  // namespace tandrel
