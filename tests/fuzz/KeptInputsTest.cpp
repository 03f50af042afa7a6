// Every input kept under tests/fuzz/<reader>/ (the seeds and each input that
// once found a fault) runs through its reader's entry in the ordinary test
// suite, with the compiler and sanitizers of that build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzEntries.h"

namespace tandrel::fuzz {
namespace {

namespace fs = std::filesystem;

const fs::path kKept = fs::path(TANDREL_SOURCE_DIR) / "tests" / "fuzz";

std::vector<fs::path> kept_inputs(const std::string& reader) {
  std::vector<fs::path> files;
  for (const char* kind : {"seeds", "regressions"}) {
    const fs::path folder = kKept / kind / reader;
    if (!fs::is_directory(folder)) continue;
    for (const auto& item : fs::directory_iterator(folder))
      if (item.is_regular_file()) files.push_back(item.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class KeptFuzzInputs : public ::testing::TestWithParam<NamedEntry> {};

TEST_P(KeptFuzzInputs, RunThroughTheirReaderWithoutFault) {
  const NamedEntry& reader = GetParam();
  const std::vector<fs::path> files = kept_inputs(reader.name);
  EXPECT_FALSE(files.empty()) << "no kept inputs for " << reader.name;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    reader.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, KeptFuzzInputs, ::testing::ValuesIn(entries()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tandrel::fuzz
