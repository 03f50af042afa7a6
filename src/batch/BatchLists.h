#pragma once

// `tandrel-batch --list`: the items a user can ask for, one per line, with
// the code to give on the command line first.

#include <iosfwd>
#include <string>
#include <vector>

namespace tandrel {

struct Session;

const std::vector<std::string>& batch_list_names();

// Prints list `list` (one of batch_list_names()) of the installation read at
// start-up. Regions are shown with their code in the data; variables under
// a header line with number, name, type, interval, missing code, tab label
// and description; diasporas without the missing code.
void print_batch_list(std::ostream& out, const std::string& list, const Session& session);

}  // namespace tandrel
