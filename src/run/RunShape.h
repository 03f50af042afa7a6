#pragma once

// What a run would write, counted before it runs: the cases and the columns
// of its data file. The identifier columns of the data file are read once
// (no other field is converted); every count after that works on them in
// memory, through the engine's own filling, choosing and merging, so it
// equals what Go writes.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "process/ConfigurationType.h"
#include "reference/DataSetListing.h"
#include "reference/ReferenceData.h"
#include "reference/Selections.h"

namespace tandrel {

class TKIV_array_obj;

struct RunShape {
  std::int64_t cases = 0;
  std::size_t columns = 0;
};

class RunShapeCounter {
 public:
  // Reads the identifier columns of the data file for all of its years.
  // Raises EInOutError (or what else stopped the reading) when the file
  // cannot be read; nothing is shown to the user.
  RunShapeCounter(const configuration_type& configuration,
                  const Tuser_data_set_listing_obj& description, const ReferenceData& reference);
  ~RunShapeCounter();
  RunShapeCounter(const RunShapeCounter&) = delete;
  RunShapeCounter& operator=(const RunShapeCounter&) = delete;

  // The cases and columns a run with `selections` would write. The
  // reference data are left as they are (a run adds control groups to the
  // group index; the count adds them to a copy).
  RunShape count(const user_selection_type& selections) const;

  // The bytes the identifier columns take.
  std::size_t bytes() const;

 private:
  std::int64_t count_cases(const user_selection_type& selections, bool& merged) const;
  std::size_t count_columns(const user_selection_type& selections, bool merged) const;

  configuration_type configuration_;
  Tuser_data_set_listing_obj description_;
  ReferenceData reference_;
  user_selection_type key_selections_;
  std::unique_ptr<TKIV_array_obj> keys_;
};

}  // namespace tandrel
