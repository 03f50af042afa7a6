#include "output/RunFiles.h"

#include "output/Codebook.h"
#include "output/CommandFileFormats.h"
#include "output/NativeFiles.h"
#include "platform/FileIdentity.h"

namespace tandrel {

namespace {

constexpr const char* kChooseAgain = "; choose another output file.";

bool is_control(unsigned char c) {
  return c < 0x20 || c == 0x7f;
}

}  // namespace

std::vector<RunFile> run_files(const user_selection_type& selections) {
  const output_format_type& format = selections.output_format;
  if (format.destination != output_destination_type::DestFile) return {};
  const std::string data = absolute_file_name(format.output_file_name);
  std::vector<RunFile> files{{data, "the data file"}};
  using C = command_file_type;
  auto asked = [&](C kind) { return format.command_files.contains(kind); };
  // In the order the run writes them.
  if (format.native_files.contains(native_file_type::NativeDta))
    files.push_back({native_file_name(data, NativeFormat::Dta), "the Stata data file"});
  if (format.native_files.contains(native_file_type::NativeSav))
    files.push_back({native_file_name(data, NativeFormat::Sav), "the SPSS data file"});
  if (format.codebook) files.push_back({codebook_file_name(data), "the codebook"});
  if (asked(C::CmdStata)) files.push_back({stata_file_name(data), "the Stata command file"});
  if (asked(C::CmdSPSS)) files.push_back({spss_file_name(data), "the SPSS command file"});
  if (asked(C::CmdLIMDEP)) files.push_back({limdep_file_name(data), "the LIMDEP command file"});
  return files;
}

std::optional<std::string> output_path_refusal(const std::string& path) {
  for (unsigned char c : path) {
    if (c == '"')
      return path + " holds a double quote, which the command files cannot quote" + kChooseAgain;
    if (is_control(c))
      return "The output file name holds a line end or another control character, which the "
             "command files cannot quote" +
             std::string(kChooseAgain);
  }
  return std::nullopt;
}

std::optional<std::string> run_files_refusal(const std::vector<RunFile>& files,
                                             const std::vector<InstallationFile>& inputs) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (auto refusal = output_path_refusal(files[i].name)) return refusal;
    for (std::size_t j = 0; j < i; ++j)
      if (files[i].name == files[j].name || platform::same_file(files[i].name, files[j].name))
        return files[i].name + " would be both " + files[j].role + " and " + files[i].role +
               " of this run" + kChooseAgain;
    if (auto refusal = overwrite_refusal(files[i].name, inputs, "output file")) return refusal;
  }
  return std::nullopt;
}

}  // namespace tandrel
