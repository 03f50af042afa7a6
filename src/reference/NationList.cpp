#include "reference/NationList.h"

#include <algorithm>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/CcodeIndex.h"
#include "reference/CowListFile.h"
#include "reference/FieldReaders.h"

namespace tandrel {

namespace {

constexpr int kCodeRows = 1002;                // codes -1..1000
constexpr int kNationSlots = kMaxNations + 2;  // nation numbers -1..250

// A state holds at most three major-power periods, one per consecutive line
// of its code; a fourth line raises ERangeError.
using major_period_number = Bounded<std::int32_t, 1, 3>;

// The state read so far from one or two consecutive lines of the nation list.
struct PendingNation {
  std::int16_t code = 0;
  bool pending = false;
  std::string abbreviation = "xxx";
  std::string name = "Name";
  DatePeriod period1;
  DatePeriod period2;
};

// Ends a progress run however its loop is left.
class ProgressRun {
 public:
  explicit ProgressRun(Ttrace_obj& progress) : progress_(progress) {}
  ~ProgressRun() { progress_.TickDone(); }
  ProgressRun(const ProgressRun&) = delete;
  ProgressRun& operator=(const ProgressRun&) = delete;

 private:
  Ttrace_obj& progress_;
};

std::unique_ptr<Tnationdat_obj> make_nation(const PendingNation& p) {
  return std::make_unique<Tnationdat_obj>(p.code, p.abbreviation, p.name, p.period1, p.period2);
}

bool holds_year(const DatePeriod& period, int year) {
  return period.start_year <= year && year <= period.end_year;
}

std::size_t slot(std::int16_t nation_number) {
  return static_cast<std::size_t>(nation_number + 1);
}

}  // namespace

Tnationdat_obj::Tnationdat_obj() = default;

Tnationdat_obj::Tnationdat_obj(std::int16_t ccode, const std::string& abbreviation,
                               const std::string& fullname, const DatePeriod& period1,
                               const DatePeriod& period2)
    : ccode(ccode),
      abbreviation(abbreviation.substr(0, 3)),
      fullname(fullname),
      cow_region(cow_region_of(ccode)),
      home_region(kiv_home_region_of(ccode)),
      period1(period1),
      period2(period2) {}

Tnation_array_obj::Tnation_array_obj() : nations_(kNationSlots), state_matrix_(kCodeRows) {
  for (auto& nation : nations_) nation = std::make_unique<Tnationdat_obj>();
}

Tnation_array_obj::~Tnation_array_obj() = default;

Tnation_array_obj::Tnation_array_obj(const configuration_type& config,
                                     const Tccode_index_obj* index)
    : Tnation_array_obj() {
  index_ = index;
  trace().Enter("Initializing nation_array");
  try {
    Ttrace_obj nation_trace(trace().GetLevel(), "Initializing \"nation_trace\" ");
    load(config, nation_trace);
  } catch (const std::exception&) {
    trace().Exit("Finished initializing nation_array");
    throw;
  }
  trace().Exit("Finished initializing nation_array");
}

void Tnation_array_obj::load(const configuration_type& config, Ttrace_obj& progress) {
  const Tccode_index_obj* index = index_;
  if (index == nullptr || !index->initialized()) {
    // Without the index no record can find its slot: the list stays
    // uninitialized and every operation says so.
    error("Nation array creation called before ccode_index initialized", 5, critical);
    trace().Message("Check program coding [notify programmer].");
    return;
  }
  trace().Message("Reading nation data from file");
  read_nations(config.nation_list_file_name, *index, progress);
  read_major_powers(config.major_list_file_name, *index, progress);
  initialized_ = true;
  build_state_matrix(config, progress);
  progress.TickDone();
}

void Tnation_array_obj::read_nations(const std::string& file_name, const Tccode_index_obj& index,
                                     Ttrace_obj& progress) {
  ProgressRun run(progress);
  PendingNation p;
  read_cow_list(file_name, [&](TextReader& file) {
    progress.Tick("Executing Procedure: Read Nation Data", 0);
    std::string abbreviation = read_csv_string(file).substr(0, 3);
    ccode_range code = read_csv_int(file);
    if (code == p.code) {
      if (abbreviation != p.abbreviation) {
        error("ERROR reading nations file - ", 5, noncritical);
        trace().Message("3 letter abbrevs do not match for CCode " + std::to_string(code.value()));
      }
      p.name = read_csv_string(file);
      p.period2 = read_date_period(file);
    } else {
      if (p.pending) store(make_nation(p), index);
      p = PendingNation{};
      p.code = code;
      p.abbreviation = abbreviation;
      p.name = read_csv_string(file);
      p.period1 = read_date_period(file);
    }
    nation_version_ = read_csv_real(file);
    file.readln();
    p.pending = true;
  });
  if (p.pending) store(make_nation(p), index);
}

// A code read again later, not on the next line, replaces its earlier record.
// A code without a nation number (the index was read from another file) is
// not stored: its slot would be the placeholder every unknown code answers
// from.
void Tnation_array_obj::store(std::unique_ptr<Tnationdat_obj> nation,
                              const Tccode_index_obj& index) {
  std::int16_t number = index.index(nation->ccode);
  if (number == -1) return;
  nations_[slot(number)] = std::move(nation);
}

void Tnation_array_obj::read_major_powers(const std::string& file_name,
                                          const Tccode_index_obj& index, Ttrace_obj& progress) {
  ProgressRun run(progress);
  std::int32_t period = 1;
  std::int32_t previous_code = -1;
  read_cow_list(file_name, [&](TextReader& file) {
    progress.Tick("Executing Procedure: Read Great Power Data", 0);
    read_csv_string(file);
    ccode_range code = read_csv_int(file);
    DatePeriod dates = read_date_period(file);
    major_version_ = read_csv_real(file);
    file.readln();
    period = code == previous_code ? period + 1 : 1;
    major_period_number checked = period;
    std::int16_t number = index.index(code);
    if (number != -1) nations_[slot(number)]->major_power_periods[checked - 1] = dates;
    previous_code = code;
  });
}

// Only the years count; months and days are not consulted.
void Tnation_array_obj::build_state_matrix(const configuration_type& config, Ttrace_obj& progress) {
  trace().Message("Setting up fast state access matrix.");
  const int first = std::max<int>(kFirstEngineYear, config.first_nation_year);
  const int last = std::min<int>(kLastEngineYear, config.last_nation_year);
  for (int code = -1; code <= 1000; ++code) {
    progress.Tick("Executing Procedure: Create Fast State Access Matrix", 1000);
    auto& row = state_matrix_[static_cast<std::size_t>(code + 1)];
    row.reset();
    if (!have_info(code)) continue;
    const Tnationdat_obj& nation = record(code);
    for (int year = first; year <= last; ++year)
      row[static_cast<std::size_t>(year - kFirstEngineYear)] =
          holds_year(nation.period1, year) || holds_year(nation.period2, year);
  }
}

}  // namespace tandrel
