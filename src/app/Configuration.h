#pragma once

// Reading Tandrel.ini into the configuration record and opening the error log.

#include <string>
#include <string_view>

#include "process/ConfigurationType.h"
#include "process/ErrorLog.h"
#include "reference/TextReader.h"

namespace tandrel {

// Fills `config` from `ini_file_name` in the program directory and opens the
// error log, or ends the program through the platform after its messages.
// A year that is not an integer in 1800..2025 raises EConvertError or
// ERangeError to the caller.
void initialize_configuration(configuration_type& config, ErrorLog& log,
                              const std::string& ini_file_name);

// Reads one line of the configuration file and hands its entry to
// handle_configuration_entry.
void read_configuration_line(TextReader& file, configuration_type& config);

// Stores `value` in the field `name` selects; an unknown name draws a message.
void handle_configuration_entry(const std::string& name, const std::string& value,
                                configuration_type& config);

}  // namespace tandrel
