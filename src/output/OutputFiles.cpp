#include "output/OutputFiles.h"

#include "process/Exceptions.h"
#include "output/Destination.h"

namespace tandrel {

OutputFiles::OutputFiles(std::vector<InstallationFile> inputs) : inputs_(std::move(inputs)) {}

platform::SafeFile& OutputFiles::join(const std::string& final_name) {
  if (auto refusal = overwrite_refusal(final_name, inputs_, "output file"))
    throw EInOutError(*refusal);
  platform::SafeFile* file = files_.join(final_name);
  if (file == nullptr) throw EInOutError("Cannot create " + files_.failure());
  return *file;
}

void OutputFiles::open(OutputChannel& channel, const std::string& final_name) {
  channel.open_file(join(final_name));
}

std::string OutputFiles::written_name(const std::string& final_name) const {
  const platform::SafeFile* file = files_.find(final_name);
  return file != nullptr ? file->written_name() : final_name;
}

void OutputFiles::commit() {
  if (!files_.commit()) throw EInOutError("Cannot write " + files_.failure());
}

}  // namespace tandrel
