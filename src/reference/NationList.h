#pragma once

// Tnation_array_obj: every state of the nation list with its periods of
// statehood and of major-power status, its COW and KIV home regions, and the
// fast state access matrix that answers is_a_state with one look-up.

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "process/ConfigurationType.h"
#include "reference/Regions.h"

namespace tandrel {

class Tccode_index_obj;
class Ttrace_obj;

struct DatePeriod {
  std::int16_t start_year = 1800;
  std::uint8_t start_month = 0;
  std::uint8_t start_day = 0;
  std::int16_t end_year = 1800;
  std::uint8_t end_month = 0;
  std::uint8_t end_day = 0;
};

// One state's record.
class Tnationdat_obj {
 public:
  // The placeholder of a slot without a state.
  Tnationdat_obj();
  // Computes cow_region and home_region from `ccode` (with their reports).
  Tnationdat_obj(std::int16_t ccode, const std::string& abbreviation, const std::string& fullname,
                 const DatePeriod& period1, const DatePeriod& period2);

  std::int16_t ccode = -1;
  std::string abbreviation = "xxx";  // the first 3 characters of the file's field
  std::string fullname = "initial";
  std::uint8_t cow_region = 0;
  kiv_region_type home_region = kiv_region_type::KivRegNone;
  DatePeriod period1;
  DatePeriod period2;
  std::array<DatePeriod, 3> major_power_periods{};
};

// COW region of a code: 1..5, 0 (with a report) for 999 and above.
std::uint8_t cow_region_of(std::int32_t ccode);
// KIV home region of a code; KivRegNone (with two reports) if undefined.
kiv_region_type kiv_home_region_of(std::int32_t ccode);

class Tnation_array_obj {
 public:
  // Reads the nation list and the major powers list named in `config`,
  // through the country code index `index`, and builds the matrix. The
  // list looks its records up through `index`, which must outlive it.
  Tnation_array_obj(const configuration_type& config, const Tccode_index_obj* index);
  // A list that read nothing: every operation reports.
  Tnation_array_obj();
  ~Tnation_array_obj();
  Tnation_array_obj(const Tnation_array_obj&) = delete;
  Tnation_array_obj& operator=(const Tnation_array_obj&) = delete;

  std::string get_fullname(std::int32_t code) const;
  kiv_region_type get_home_region(std::int32_t code) const;
  std::int16_t get_startyear1(std::int32_t code) const;
  std::int16_t get_endyear1(std::int32_t code) const;
  std::int16_t get_startyear2(std::int32_t code) const;
  std::int16_t get_endyear2(std::int32_t code) const;
  // False for code 0, for codes without a row and for years outside 1800..2025.
  bool is_a_state(std::int32_t code, std::int32_t year) const;
  bool is_a_state_between(std::int32_t code, std::int32_t year1, std::int32_t year2) const;
  bool have_info(std::int32_t code) const;
  // The lowest code whose full name equals `name` exactly; 0 if none.
  // Before initialization it reports once (as have_info) and answers 0.
  std::int32_t get_ccode_from_name(const std::string& name) const;

  // The record of `code`; the placeholder for codes not on the list.
  const Tnationdat_obj& record(std::int32_t code) const;
  double nation_list_version() const { return nation_version_; }
  double major_powers_version() const { return major_version_; }
  bool initialized() const { return initialized_; }

 private:
  void load(const configuration_type& config, Ttrace_obj& progress);
  void read_nations(const std::string& file_name, const Tccode_index_obj& index,
                    Ttrace_obj& progress);
  void read_major_powers(const std::string& file_name, const Tccode_index_obj& index,
                         Ttrace_obj& progress);
  void store(std::unique_ptr<Tnationdat_obj> nation, const Tccode_index_obj& index);
  void build_state_matrix(const configuration_type& config, Ttrace_obj& progress);
  // Reports `message` (display level 5, noncritical) when not initialized.
  bool check_initialized(const char* message) const;

  // Slots -1..250, indexed through the country code index.
  std::vector<std::unique_ptr<Tnationdat_obj>> nations_;
  // Codes -1..1000 by years 1800..2025.
  std::vector<std::bitset<226>> state_matrix_;
  double nation_version_ = 0;
  double major_version_ = 0;
  bool initialized_ = false;
  const Tccode_index_obj* index_ = nullptr;
};

}  // namespace tandrel
