// One libFuzzer target: TANDREL_FUZZ_ENTRY names the reader's entry.
#include "fuzz/FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tandrel::fuzz::TANDREL_FUZZ_ENTRY(data, size);
  return 0;
}
