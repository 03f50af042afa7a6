#pragma once

// The files an installation reads, each with its role, so that nothing
// Tandrel writes (a data file, a command file, a settings file) can take the
// place of one of them.

#include <optional>
#include <string>
#include <vector>

#include "process/ConfigurationType.h"
#include "reference/DataSetListing.h"

namespace tandrel {

struct InstallationFile {
  std::string name;
  std::string role;  // "the Kivora data file", "the nation list", ...
};

// Tandrel.ini, the description, the data file, the nation and major powers
// lists, the error log and the help documents. `description` may be null
// before the description was read.
std::vector<InstallationFile> installation_files(const configuration_type& configuration,
                                                 const Tuser_data_set_listing_obj* description);

// The refusal to write `target` when it is one of `inputs` (after links and
// relative parts are followed), e.g. "/x/kivora.csv is the Kivora data file
// of this installation; choose another output file."; nullopt when `target`
// is none of them. `kind` names what the user should choose again
// ("output file", "settings file").
std::optional<std::string> overwrite_refusal(const std::string& target,
                                             const std::vector<InstallationFile>& inputs,
                                             const std::string& kind);

}  // namespace tandrel
