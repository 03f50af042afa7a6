#pragma once

// The readers of every file Tandrel takes from outside, each behind one
// entry that takes arbitrary bytes. libFuzzer drives them in the fuzz
// build; the ordinary test suite feeds them every kept input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tandrel::fuzz {

using Entry = void (*)(const std::uint8_t* data, std::size_t size);

// The lines of Tandrel.ini as the configuration procedure reads them.
void configuration_file(const std::uint8_t* data, std::size_t size);
// A data-set description (".mdf").
void description_file(const std::uint8_t* data, std::size_t size);
// A KIV data file under the sample description: the group index, then the
// loader over every year.
void data_file(const std::uint8_t* data, std::size_t size);
// A settings file, loaded as Load Settings does.
void settings_file(const std::uint8_t* data, std::size_t size);
// A nation list, read into the country code index and the nation list with
// the sample's major powers list; the same bytes then as the major powers
// list beside the sample's nation list.
void cow_lists(const std::uint8_t* data, std::size_t size);

struct NamedEntry {
  const char* name;  // the folder of its kept inputs under tests/fuzz/
  Entry entry;
};

// Every entry, in a fixed order.
const std::vector<NamedEntry>& entries();

}  // namespace tandrel::fuzz
