#include "reference/CowListFile.h"

#include "diagnostics/Error.h"
#include "process/Bounded.h"
#include "process/Exceptions.h"
#include "reference/FieldReaders.h"

namespace tandrel {

namespace {

using month_type = Bounded<std::uint8_t, 0, 12>;
using day_type = Bounded<std::uint8_t, 0, 31>;

}  // namespace

std::string unreadable_file_message(const std::string& file_name) {
  return "Error opening file \"" + file_name +
         "\".  File could not be opened for input.  File may be in use by another program, or "
         "may be missing.";
}

void read_cow_list(const std::string& file_name,
                   const std::function<void(TextReader& file)>& read_line) {
  try {
    TextReader file = TextReader::open_file(file_name);
    file.readln();
    while (!file.at_end_of_records()) read_line(file);
    file.close();
  } catch (const EInputRefused& e) {
    error(e.what(), 3, critical);
    throw;
  } catch (const EInOutError&) {
    error(unreadable_file_message(file_name), 3, critical);
    throw;
  }
}

DatePeriod read_date_period(TextReader& file) {
  DatePeriod period;
  period.start_year = year_type(read_csv_int(file));
  period.start_month = month_type(read_csv_int(file));
  period.start_day = day_type(read_csv_int(file));
  period.end_year = year_type(read_csv_int(file));
  period.end_month = month_type(read_csv_int(file));
  period.end_day = day_type(read_csv_int(file));
  return period;
}

}  // namespace tandrel
