#pragma once

// The line conventions shared by the nation list and the major powers list:
// a heading line, then one record a line, read with the field readers.

#include <functional>
#include <string>

#include "reference/NationList.h"
#include "reference/TextReader.h"

namespace tandrel {

// Opens `file_name`, skips its heading line, calls `read_line` once for every
// further line until the end of the file (it must consume its line), and
// closes the file. A file that cannot be opened or read draws the critical
// report naming it, and its EInOutError is raised again; everything else
// (range errors, user interrupts) passes through unreported.
void read_cow_list(const std::string& file_name,
                   const std::function<void(TextReader& file)>& read_line);

// A start date and an end date, each as year, month and day. Raises
// ERangeError for a year outside 1800..2025, a month outside 0..12 or a day
// outside 0..31.
DatePeriod read_date_period(TextReader& file);

// The text of the report for a list file that cannot be read.
std::string unreadable_file_message(const std::string& file_name);

}  // namespace tandrel
