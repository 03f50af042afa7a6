#include "reference/InstallationFiles.h"

#include "platform/FileIdentity.h"

namespace tandrel {

std::vector<InstallationFile> installation_files(const configuration_type& c,
                                                 const Tuser_data_set_listing_obj* description) {
  std::vector<InstallationFile> files{
      {c.configuration_file_name, "the configuration file"},
      {c.kiv_interface_file_name, "the Kivora description file"},
      {c.nation_list_file_name, "the nation list"},
      {c.major_list_file_name, "the major powers list"},
      {c.error_file_name, "the error log"},
      {c.kiv_linked_doc_file_name, "a help document"},
      {c.tandrel_doc_file_name, "a help document"},
      {c.tandrel_quickstart_file_name, "a help document"},
  };
  if (description != nullptr && description->data_set_count() > 0)
    files.push_back({description->get_data_file_name(0), "the Kivora data file"});
  return files;
}

std::optional<std::string> overwrite_refusal(const std::string& target,
                                             const std::vector<InstallationFile>& inputs,
                                             const std::string& kind) {
  for (const InstallationFile& input : inputs)
    if (platform::same_file(target, input.name))
      return target + " is " + input.role + " of this installation; choose another " + kind + ".";
  return std::nullopt;
}

}  // namespace tandrel
