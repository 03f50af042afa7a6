#pragma once

// ReferenceData: the reference objects of the initial file read that one
// data-set creation works with. The session that holds them (a window's,
// the batch run's, a test's) hands them down, so the engine never reaches
// past what it was given.

namespace tandrel {

class Tregion_list_info_obj;
class Tnation_array_obj;
class Tgroup_index_obj;

struct ReferenceData {
  const Tregion_list_info_obj& regions;
  const Tnation_array_obj& nations;
  // The run adds the control groups of states without KIV groups here.
  Tgroup_index_obj& groups;
};

}  // namespace tandrel
