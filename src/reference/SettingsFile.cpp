#include "reference/SettingsFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "diagnostics/Error.h"
#include "platform/SafeFile.h"
#include "process/Exceptions.h"
#include "reference/TextReader.h"

namespace tandrel {

namespace {

// Where each list lives in the record. Slots past the count hold `empty_slot`.
struct ListLayout {
  const char* name;
  std::size_t count_at;
  std::size_t slots_at;
  std::int32_t capacity;
  std::size_t slot_size;
  std::int32_t empty_slot;
};

constexpr ListLayout kGroups{"selected_groups", 8, 12, kSettingsMaxGroups, 4, 0};
constexpr ListLayout kStates{"selected_states", 4016, 4020, kSettingsMaxStates, 2, 0};
constexpr ListLayout kNonkivStates{"selected_nonkiv_states", 4524, 4528,
                                   kSettingsMaxNonkivStates, 2,    0};
constexpr ListLayout kRegions{"selected_regions", 5032, 5036, kSettingsMaxRegions, 1, 0};
constexpr ListLayout kDiasporas{"selected_diasporas", 5044, 5048, kSettingsMaxDiasporas, 2, 0};
constexpr ListLayout kVariables{"variable_columns", 7324, 7328, kSettingsMaxVariables, 4, -1};
constexpr const ListLayout* kLists[] = {&kGroups,  &kStates,    &kNonkivStates,
                                        &kRegions, &kDiasporas, &kVariables};

// The single fields, in record order.
constexpr std::size_t kPhysicalAggregationAt = 0;
constexpr std::size_t kTemporalAggregationAt = 1;
constexpr std::size_t kAllGroupsAt = 2;
constexpr std::size_t kAllStatesAt = 3;
constexpr std::size_t kAllRegionsAt = 4;
constexpr std::size_t kAllDiasporasAt = 5;
constexpr std::size_t kInterpolateAt = 7052;
constexpr std::size_t kInterpolationMethodAt = 7053;
constexpr std::size_t kOutputMissingCasesAt = 7054;
constexpr std::size_t kIncludeNonkivStatesAt = 7055;
constexpr std::size_t kAllNonkivStatesAt = 7056;
constexpr std::size_t kFirstYearAt = 7058;
constexpr std::size_t kLastYearAt = 7060;
constexpr std::size_t kHeaderLineAt = 7062;
constexpr std::size_t kDestinationAt = 7063;
constexpr std::size_t kFileNameChosenAt = 7064;
constexpr std::size_t kFileNameLengthAt = 7065;
constexpr std::size_t kFileNameCharsAt = 7066;
constexpr std::size_t kSeparatorAt = 7321;
constexpr std::size_t kCommandFilesAt = 7322;
// The command-file byte: the three command files in its low bits, then the
// Stata and SPSS data files, added later so that older records keep their
// meaning; its two highest file bits, which older records leave off, carry
// the provenance columns and the codebook.
constexpr unsigned kCommandFileMask = 0x07;
constexpr unsigned kNativeFilesShift = 3;
constexpr unsigned kNativeFileMask = 0x03 << kNativeFilesShift;
constexpr unsigned kFileKindMask = kCommandFileMask | kNativeFileMask;
constexpr unsigned kProvenanceBit = 0x20;
constexpr unsigned kCodebookBit = 0x40;

constexpr const char* kSaveInterpolationReport =
    "Error is save settings procedure - an unrecognized type of interpolation method was "
    "attempted to be saved.  Continuing, but saved settings are likely to be incorrect.  Notify "
    "programmer.";
constexpr const char* kLoadInterpolationReport =
    "Error in load settings procedure - an unrecognized type of interpolation method was "
    "attempted to be saved.  Continuing, but saved settings are likely to be incorrect.  Notify "
    "programmer.";

// Little-endian two's complement of `value` in `size` bytes.
void put_int(settings_record_bytes& r, std::size_t at, std::size_t size, long long value) {
  auto bits = static_cast<unsigned long long>(value);
  for (std::size_t i = 0; i < size; ++i) r[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Signed little-endian integer of 2 or 4 bytes; a single byte is unsigned.
long long get_int(const settings_record_bytes& r, std::size_t at, std::size_t size) {
  if (size == 1) return r[at];
  unsigned long long bits = 0;
  for (std::size_t i = 0; i < size; ++i)
    bits |= static_cast<unsigned long long>(r[at + i]) << (8 * i);
  if (size == 2) return static_cast<std::int16_t>(bits);
  return static_cast<std::int32_t>(bits);
}

template <typename Enum>
void put_enum(settings_record_bytes& r, std::size_t at, Enum value) {
  r[at] = static_cast<std::uint8_t>(value);
}

void put_bool(settings_record_bytes& r, std::size_t at, bool value) {
  r[at] = value ? 1 : 0;
}

template <typename Element>
long long to_slot(const Element& element) {
  if constexpr (std::is_enum_v<Element> || std::is_integral_v<Element>) {
    return static_cast<long long>(element);
  } else {
    return static_cast<long long>(element.value());
  }
}

[[noreturn]] void throw_slot(const ListLayout& layout, std::int32_t slot, long long value,
                             long long low, long long high) {
  throw ERangeError(std::string(layout.name) + " slot " + std::to_string(slot) + " holds " +
                    std::to_string(value) + ", outside " + std::to_string(low) + ".." +
                    std::to_string(high) + ".");
}

// Variable indices are taken as stored (the description decides which it
// offers); regions and the bounded codes must name something of their type.
template <typename Element>
Element from_slot(const ListLayout& layout, std::int32_t slot, long long value) {
  if constexpr (std::is_enum_v<Element>) {
    if (value < 0 || value >= kRegionCount) throw_slot(layout, slot, value, 0, kRegionCount - 1);
    return static_cast<Element>(value);
  } else if constexpr (std::is_integral_v<Element>) {
    return static_cast<Element>(value);
  } else {
    if (!Element::in_range(value)) throw_slot(layout, slot, value, Element::kMin, Element::kMax);
    return Element(value);
  }
}

template <typename List>
void check_capacity(const ListLayout& layout, const List& list) {
  if (list.size() > static_cast<std::size_t>(layout.capacity))
    throw ERangeError("Settings not saved: " + std::string(layout.name) + " holds " +
                      std::to_string(list.size()) + " entries, more than the " +
                      std::to_string(layout.capacity) + " a settings file can hold.");
}

template <typename List>
void put_list(settings_record_bytes& r, const ListLayout& layout, const List& list) {
  put_int(r, layout.count_at, 4, static_cast<long long>(list.size()));
  for (std::int32_t i = 0; i < layout.capacity; ++i) {
    auto slot = static_cast<std::size_t>(i);
    long long value = slot < list.size() ? to_slot(list[slot]) : layout.empty_slot;
    put_int(r, layout.slots_at + slot * layout.slot_size, layout.slot_size, value);
  }
}

template <typename List>
List get_list(const settings_record_bytes& r, const ListLayout& layout) {
  auto count = static_cast<std::int32_t>(get_int(r, layout.count_at, 4));
  List list;
  list.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    auto at = layout.slots_at + static_cast<std::size_t>(i) * layout.slot_size;
    list.push_back(
        from_slot<typename List::value_type>(layout, i, get_int(r, at, layout.slot_size)));
  }
  return list;
}

// Every count is checked before any list is read, so a damaged record is
// refused as a whole.
void check_counts(const settings_record_bytes& r) {
  for (const ListLayout* layout : kLists) {
    long long count = get_int(r, layout->count_at, 4);
    if (count < 0 || count > layout->capacity)
      throw ERangeError("the count of " + std::string(layout->name) + " is " +
                        std::to_string(count) + ", outside 0.." + std::to_string(layout->capacity) +
                        ".");
  }
}

// One byte that must name a value of its enumeration, 0..`highest`.
void check_byte(const settings_record_bytes& r, std::size_t at, const char* field,
                unsigned highest) {
  if (r[at] > highest)
    throw ERangeError(std::string(field) + " is " + std::to_string(r[at]) + ", outside 0.." +
                      std::to_string(highest) + ".");
}

// The single fields: every enumeration byte must name something and the
// years must lie in the engine's range, first before last. A reversed
// range once ran on into a failed allocation.
void check_fields(const settings_record_bytes& r) {
  check_byte(r, kPhysicalAggregationAt, "physical_aggregation",
             static_cast<unsigned>(physical_aggregation_type::PhysDiaspora));
  check_byte(r, kTemporalAggregationAt, "temporal_aggregation",
             static_cast<unsigned>(temporal_aggregation_type::Time10yr));
  check_byte(r, kDestinationAt, "destination",
             static_cast<unsigned>(output_destination_type::DestPrinter));
  check_byte(r, kSeparatorAt, "separator", static_cast<unsigned>(separator_type::SepTab));
  // One bit for each command and native file, up to the last kind, then
  // the provenance and codebook bits.
  check_byte(r, kCommandFilesAt, "command_files", kFileKindMask | kProvenanceBit | kCodebookBit);
  const long long first = get_int(r, kFirstYearAt, 2);
  const long long last = get_int(r, kLastYearAt, 2);
  for (auto [name, year] : {std::pair{"first_year", first}, std::pair{"last_year", last}})
    if (!year_type::in_range(year))
      throw ERangeError(std::string(name) + " is " + std::to_string(year) + ", outside " +
                        std::to_string(year_type::kMin) + ".." + std::to_string(year_type::kMax) +
                        ".");
  if (first > last)
    throw ERangeError("first_year " + std::to_string(first) + " is after last_year " +
                      std::to_string(last) + ".");
}

void put_lists(settings_record_bytes& r, const user_selection_type& s) {
  const auto& columns = s.variable_selections.variable_columns;
  check_capacity(kGroups, s.selected_groups);
  check_capacity(kStates, s.selected_states);
  check_capacity(kNonkivStates, s.selected_nonkiv_states);
  check_capacity(kRegions, s.selected_regions);
  check_capacity(kDiasporas, s.selected_diasporas);
  check_capacity(kVariables, columns);
  put_list(r, kGroups, s.selected_groups);
  put_list(r, kStates, s.selected_states);
  put_list(r, kNonkivStates, s.selected_nonkiv_states);
  put_list(r, kRegions, s.selected_regions);
  put_list(r, kDiasporas, s.selected_diasporas);
  put_list(r, kVariables, columns);
}

void put_output_format(settings_record_bytes& r, const output_format_type& f) {
  put_bool(r, kHeaderLineAt, f.header_line);
  put_enum(r, kDestinationAt, f.destination);
  put_bool(r, kFileNameChosenAt, f.file_name_chosen);
  std::size_t length = std::min(f.output_file_name.size(), kSettingsMaxFileNameLength);
  r[kFileNameLengthAt] = static_cast<std::uint8_t>(length);
  std::memcpy(r.data() + kFileNameCharsAt, f.output_file_name.data(), length);
  put_enum(r, kSeparatorAt, f.separator);
  r[kCommandFilesAt] = static_cast<std::uint8_t>(
      f.command_files.bits() | (f.native_files.bits() << kNativeFilesShift) |
      (f.provenance_columns ? kProvenanceBit : 0U) | (f.codebook ? kCodebookBit : 0U));
}

interpolation_method_type stored_interpolation_method(interpolation_method_type method) {
  if (method == interpolation_method_type::InterpLinear ||
      method == interpolation_method_type::InterpCarryForward)
    return method;
  error(kSaveInterpolationReport, 1, noncritical);
  return interpolation_method_type::InterpLinear;
}

output_format_type get_output_format(const settings_record_bytes& r) {
  output_format_type f;
  f.header_line = r[kHeaderLineAt] != 0;
  f.destination = static_cast<output_destination_type>(r[kDestinationAt]);
  f.file_name_chosen = r[kFileNameChosenAt] != 0;
  const auto* chars = reinterpret_cast<const char*>(r.data() + kFileNameCharsAt);
  f.output_file_name.assign(chars, r[kFileNameLengthAt]);
  f.separator = static_cast<separator_type>(r[kSeparatorAt]);
  f.command_files =
      command_file_set(static_cast<std::uint8_t>(r[kCommandFilesAt] & kCommandFileMask));
  f.native_files = native_file_set(
      static_cast<std::uint8_t>((r[kCommandFilesAt] & kNativeFileMask) >> kNativeFilesShift));
  f.provenance_columns = (r[kCommandFilesAt] & kProvenanceBit) != 0;
  f.codebook = (r[kCommandFilesAt] & kCodebookBit) != 0;
  return f;
}

interpolation_method_type read_interpolation_method(std::uint8_t stored) {
  if (stored <= static_cast<std::uint8_t>(interpolation_method_type::InterpCarryForward))
    return static_cast<interpolation_method_type>(stored);
  error(kLoadInterpolationReport, 1, noncritical);
  return interpolation_method_type::InterpLinear;
}

[[noreturn]] void throw_io(const std::string& what, const std::string& file_name) {
  throw EInOutError(what + " settings file " + file_name + ": " + std::strerror(errno));
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

settings_record_bytes encode_settings_record(const user_selection_type& s) {
  settings_record_bytes r{};
  put_enum(r, kPhysicalAggregationAt, s.physical_aggregation);
  put_enum(r, kTemporalAggregationAt, s.temporal_aggregation);
  put_bool(r, kAllGroupsAt, s.all_groups);
  put_bool(r, kAllStatesAt, s.all_states);
  put_bool(r, kAllRegionsAt, s.all_regions);
  put_bool(r, kAllDiasporasAt, s.all_diasporas);
  put_lists(r, s);
  put_bool(r, kInterpolateAt, s.interpolate);
  put_enum(r, kInterpolationMethodAt, stored_interpolation_method(s.interpolation_method));
  put_bool(r, kOutputMissingCasesAt, s.output_missing_cases);
  put_bool(r, kIncludeNonkivStatesAt, s.include_nonkiv_states);
  put_bool(r, kAllNonkivStatesAt, s.all_nonkiv_states);
  put_int(r, kFirstYearAt, 2, s.first_year);
  put_int(r, kLastYearAt, 2, s.last_year);
  put_output_format(r, s.output_format);
  return r;
}

user_selection_type decode_settings_record(const settings_record_bytes& r) {
  check_counts(r);
  check_fields(r);
  user_selection_type s;
  s.physical_aggregation = static_cast<physical_aggregation_type>(r[kPhysicalAggregationAt]);
  s.temporal_aggregation = static_cast<temporal_aggregation_type>(r[kTemporalAggregationAt]);
  s.all_groups = r[kAllGroupsAt] != 0;
  s.all_states = r[kAllStatesAt] != 0;
  s.all_regions = r[kAllRegionsAt] != 0;
  s.all_diasporas = r[kAllDiasporasAt] != 0;
  s.selected_groups = get_list<Selected_group_list_type>(r, kGroups);
  s.selected_states = get_list<Selected_state_list_type>(r, kStates);
  s.selected_nonkiv_states = get_list<Selected_state_list_type>(r, kNonkivStates);
  s.selected_regions = get_list<Selected_kiv_region_list_type>(r, kRegions);
  s.selected_diasporas = get_list<Selected_diaspora_list_type>(r, kDiasporas);
  s.variable_selections.variable_columns = get_list<std::vector<std::int32_t>>(r, kVariables);
  s.interpolate = r[kInterpolateAt] != 0;
  s.output_missing_cases = r[kOutputMissingCasesAt] != 0;
  s.include_nonkiv_states = r[kIncludeNonkivStatesAt] != 0;
  s.all_nonkiv_states = r[kAllNonkivStatesAt] != 0;
  s.first_year = static_cast<std::int16_t>(get_int(r, kFirstYearAt, 2));
  s.last_year = static_cast<std::int16_t>(get_int(r, kLastYearAt, 2));
  s.output_format = get_output_format(r);
  // Reported last, once the record is known to be accepted.
  s.interpolation_method = read_interpolation_method(r[kInterpolationMethodAt]);
  return s;
}

void save_settings_file(const std::string& file_name, const user_selection_type& selections) {
  const settings_record_bytes record = encode_settings_record(selections);
  const std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());
  std::string failure;
  if (!platform::write_whole_file(file_name, bytes, failure))
    throw EInOutError("Cannot write settings file " + file_name + ": " + failure);
}

void load_settings_file(const std::string& file_name, user_selection_type& selections) {
  settings_record_bytes record{};
  // A pipe would keep the open waiting; a device would never end. A missing
  // file is told by the open below.
  if (struct stat st{}; ::stat(file_name.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
    require_regular_file(file_name);
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(file_name.c_str(), "rb"));
  if (!f) throw_io("Cannot open", file_name);
  std::size_t got = std::fread(record.data(), 1, record.size(), f.get());
  if (std::ferror(f.get())) throw_io("Cannot read", file_name);
  if (got < record.size())
    throw EInOutError("Settings file " + file_name + " holds " + std::to_string(got) +
                      " bytes, fewer than the " + std::to_string(kSettingsRecordSize) +
                      " of a settings record.");
  try {
    selections = decode_settings_record(record);
  } catch (const ERangeError& e) {
    throw ERangeError(settings_refusal(file_name, e.what()));
  }
}

std::string settings_refusal(const std::string& file_name, const std::string& field) {
  return file_name + " is not a Tandrel settings file, or it is damaged: " + field;
}

std::optional<std::string> unknown_variables(const user_selection_type& selections,
                                             std::int32_t variable_count) {
  std::vector<std::int32_t> unknown;
  for (std::int32_t v : selections.variable_selections.variable_columns)
    if (v < 0 || v >= variable_count) unknown.push_back(v);
  if (unknown.empty()) return std::nullopt;
  std::string text = unknown.size() == 1 ? "variable " : "variables ";
  for (std::size_t i = 0; i < unknown.size(); ++i)
    text += (i == 0 ? "" : i + 1 == unknown.size() ? " and " : ", ") + std::to_string(unknown[i]);
  return text + ", outside the " + std::to_string(variable_count) + " variables (0 to " +
         std::to_string(variable_count - 1) + ") of the description";
}

}  // namespace tandrel
