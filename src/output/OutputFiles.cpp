#include "output/OutputFiles.h"

#include "output/Destination.h"
#include "process/Exceptions.h"

namespace tandrel {

OutputFiles::OutputFiles(std::vector<InstallationFile> inputs) : inputs_(std::move(inputs)) {}

std::vector<std::string> OutputFiles::lock(const std::vector<RunFile>& files,
                                           const std::function<bool()>& keep_waiting) {
  if (files.empty()) return {};
  using Outcome = platform::FileSetLock::Outcome;
  const std::string& data = files.front().name;
  switch (lock_.lock(data, keep_waiting)) {
    case Outcome::Locked:
      break;
    case Outcome::Busy:
      throw EInOutError("Another run (process " + std::to_string(lock_.holder()) + ") is writing " +
                        data +
                        " and the files beside it; nothing was written. Run again when it has "
                        "finished.");
    case Outcome::Failed:
      throw EInOutError("Cannot lock " + lock_.lock_name() + ": " + lock_.failure());
  }
  std::vector<std::string> mended = lock_.recover();
  std::vector<std::string> names;
  for (const RunFile& file : files) names.push_back(file.name);
  for (const std::string& stale : platform::remove_stale_temporaries(names))
    mended.push_back("removed " + stale);
  return mended;
}

platform::SafeFile& OutputFiles::join(const std::string& final_name) {
  if (auto refusal = overwrite_refusal(final_name, inputs_, "output file"))
    throw EInOutError(*refusal);
  // The run's names are checked before anything is written; this is the
  // last guard, for a writer that would name a member twice.
  if (files_.find(final_name) != nullptr)
    throw EInOutError(final_name + " is already a file of this run; choose another output file.");
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

void OutputFiles::commit(const std::function<bool()>& keep_going) {
  platform::FileSetLock* journal = lock_.locked() ? &lock_ : nullptr;
  if (!files_.commit(journal, keep_going)) throw EInOutError("Cannot write " + files_.failure());
}

}  // namespace tandrel
