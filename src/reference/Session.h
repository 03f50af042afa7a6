#pragma once

// Session: what one main window, or one batch run, works on: the user's
// choices and the reference data they are made against. The entry point
// owns it (desktop start-up, the batch's run, a test's fixture) and hands it
// down: to the main window model, from there to Go and the dialogs. Two
// sessions in one process share nothing but the diagnostics and the
// platform, which stay process-wide (process/Globals.h).

#include <memory>

#include "diagnostics/MainFrameState.h"
#include "process/Owned.h"

namespace tandrel {

class Tccode_index_obj;
class Tnation_array_obj;
class Tuser_data_set_listing_obj;
class Tregion_list_info_obj;
class Tgroup_index_obj;
struct user_selection_type;

struct Session {
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Frees the reference data in close-down order; the selections and the
  // description stay for whatever still reads them.
  void release_reference();

  // Reference data of the initial file read.
  Owned<Tccode_index_obj> ccode_index;
  Owned<Tnation_array_obj> nation_array;
  Owned<Tuser_data_set_listing_obj> description;
  Owned<Tregion_list_info_obj> region_list;
  Owned<Tgroup_index_obj> group_index;

  // The user's choices; start-up creates the record with its defaults.
  Owned<user_selection_type> selections;

  // The main window's size and state. Shared with the application trace,
  // which places every progress window over it, so that a trace that
  // outlives the session never reads a freed frame.
  std::shared_ptr<MainFrameState> main_frame = std::make_shared<MainFrameState>();
};

}  // namespace tandrel
