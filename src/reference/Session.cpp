#include "reference/Session.h"

#include "reference/CcodeIndex.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/NationList.h"
#include "reference/Regions.h"
#include "reference/Selections.h"

namespace tandrel {

Session::Session() = default;

// The reference data go first, in close-down order, so that a destructor
// that still reports finds the rest in place.
Session::~Session() {
  release_reference();
  description.reset();
  selections.reset();
}

void Session::release_reference() {
  group_index.reset();
  nation_array.reset();
  ccode_index.reset();
  region_list.reset();
}

}  // namespace tandrel
