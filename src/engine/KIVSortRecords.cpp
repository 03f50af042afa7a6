// The sort records of a run: one per group-year in memory, in year and then
// numcode order, and the blank record that stands for an excluded one.

#include <algorithm>

#include "engine/KIVArray.h"
#include "engine/KIVSort.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"
#include "reference/Regions.h"

namespace tandrel {

namespace {

constexpr std::int32_t kAbsentMissing = -99;

std::int32_t missing_of(const Tuser_data_set_listing_obj& description, const char* name) {
  const std::int32_t v = description.find_var_number(0, name);
  return v < 0 ? kAbsentMissing : description.get_var_missing_value(0, v);
}

// The description numbers of the key variables, -1 for one it lacks.
struct KeyVariables {
  explicit KeyVariables(const Tuser_data_set_listing_obj& d)
      : year(d.find_var_number(0, "year")),
        numcode(d.find_var_number(0, "numcode")),
        ccode(d.find_var_number(0, "ccode")),
        region(d.find_var_number(0, "region")),
        diaspora(d.find_var_number(0, "diaspora")) {}
  std::int32_t year, numcode, ccode, region, diaspora;
};

// Fills one record from the group-year's key values; a key that cannot be
// read as an integer keeps the blank template's value.
class RecordReader {
 public:
  RecordReader(const TKIV_array_obj& data, const sort_record& blank)
      : data_(data), keys_(data.description()), blank_(blank) {}

  sort_record read(std::int32_t numcode, int year) const {
    sort_record r = blank_;
    r.year = value(keys_.year, year, numcode, blank_.year);
    r.numcode = value(keys_.numcode, year, numcode, blank_.numcode);
    r.ccode = value(keys_.ccode, year, numcode, blank_.ccode);
    const std::int32_t region = value(keys_.region, year, numcode, blank_.region);
    r.region = region >= 0 && region <= 255 ? static_cast<std::uint8_t>(region) : blank_.region;
    r.diaspora = value(keys_.diaspora, year, numcode, blank_.diaspora);
    r.case_number = 0;
    return r;
  }

 private:
  std::int32_t value(std::int32_t variable, int year, std::int32_t numcode,
                     std::int32_t fallback) const {
    if (variable < 0) return fallback;
    try {
      return static_cast<std::int32_t>(data_.get_group_value(0, variable, year, numcode).to_int());
    } catch (const std::exception&) {
      return fallback;
    }
  }

  const TKIV_array_obj& data_;
  KeyVariables keys_;
  const sort_record& blank_;
};

}  // namespace

sort_record blank_template(const Tuser_data_set_listing_obj& description,
                           const Tregion_list_info_obj& regions) {
  sort_record r;
  r.year = missing_of(description, "year");
  r.numcode = missing_of(description, "numcode");
  r.ccode = missing_of(description, "ccode");
  r.region =
      static_cast<std::uint8_t>(regions.get_region_from_code(missing_of(description, "region")));
  r.diaspora = missing_of(description, "diaspora");
  return r;
}

// Every numcode the group index does not hold shares group slot -1, so a
// year whose slot -1 is empty has records only for the index's numcodes;
// those are visited in ascending order instead of probing every numcode.
std::vector<sort_record> TKIV_array_obj::copy_sort_records(int first_year, int last_year) const {
  const sort_record blank = blank_template(*description_, reference_.regions);
  const RecordReader reader(*this, blank);
  std::vector<std::int32_t> known;
  if (groups_->initialized())
    for (std::int32_t s = 0; s < groups_->count(); ++s) known.push_back(groups_->group(s).numcode);
  std::sort(known.begin(), known.end());
  known.erase(std::unique(known.begin(), known.end()), known.end());

  std::vector<sort_record> records;
  for (int year = first_year; year <= last_year; ++year) {
    const YearBlock* b = block(year);
    if (b == nullptr) continue;
    if (b->rows[0] >= 0) {
      for (std::int32_t numcode = -1; numcode <= kMaxNumcode; ++numcode)
        if (group_year_exists(numcode, year)) records.push_back(reader.read(numcode, year));
    } else {
      for (std::int32_t numcode : known)
        if (group_year_exists(numcode, year)) records.push_back(reader.read(numcode, year));
    }
  }
  return records;
}

}  // namespace tandrel
