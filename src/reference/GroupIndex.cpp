#include "reference/GroupIndex.h"

#include <algorithm>
#include <optional>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/FieldReaders.h"

namespace tandrel {

namespace {

constexpr const char* kCompleted = "Completed initializing group_index";

// What a column before the last key column holds for the index.
enum class KeyRole : std::uint8_t { Other, Numcode, Group, Ccode, Region, Diaspora };

// The key values of one data line; -99 where a field could not be read.
struct LineKeys {
  std::int32_t numcode = kReaderMissing;
  std::string name;
  std::int32_t ccode = kReaderMissing;
  std::int32_t region = kReaderMissing;
  std::int32_t diaspora = kReaderMissing;

  void set(KeyRole role, std::int32_t value) {
    if (role == KeyRole::Numcode) numcode = value;
    if (role == KeyRole::Ccode) ccode = value;
    if (role == KeyRole::Region) region = value;
    if (role == KeyRole::Diaspora) diaspora = value;
  }
};

// The columns 0..last key column of the data file, with their roles and names.
struct KeyLayout {
  std::vector<KeyRole> roles;
  std::vector<std::string> names;
  std::int32_t region_column = 0;
};

KeyLayout key_layout(const Tuser_data_set_listing_obj& description) {
  const std::pair<const char*, KeyRole> keys[] = {{"numcode", KeyRole::Numcode},
                                                  {"group", KeyRole::Group},
                                                  {"ccode", KeyRole::Ccode},
                                                  {"region", KeyRole::Region},
                                                  {"diaspora", KeyRole::Diaspora}};
  KeyLayout layout;
  for (const auto& [name, role] : keys) {
    const auto column = static_cast<std::size_t>(description.get_var_number(0, name));
    if (layout.roles.size() <= column) layout.roles.resize(column + 1, KeyRole::Other);
    if (layout.roles[column] == KeyRole::Other) layout.roles[column] = role;
    if (role == KeyRole::Region) layout.region_column = static_cast<std::int32_t>(column);
  }
  for (std::size_t c = 0; c < layout.roles.size(); ++c)
    layout.names.push_back(description.get_var_name(0, static_cast<int>(c)));
  return layout;
}

void report_empty_key(std::int64_t line, std::size_t column, const std::string& name) {
  error("The read of a data line (line " + std::to_string(line) +
            ") for a critical variable in group_index.init (var number: " + std::to_string(column) +
            ", var name: \"" + name +
            "\") returned a missing value from corresponding csv procedure.  Program ending.  "
            "Notify programmer.",
        1, critical);
}

// Reads the fields of one line up to its last key column. Every column is
// consumed as exactly one field, so an empty, odd or quoted value in a column
// the index does not need cannot move the key values behind it.
LineKeys read_keys(TextReader& file, const KeyLayout& layout, std::int64_t line) {
  LineKeys keys;
  for (std::size_t c = 0; c < layout.roles.size(); ++c) {
    const FieldContext context{layout.names[c], line};
    const KeyRole role = layout.roles[c];
    if (role == KeyRole::Other) {
      read_csv_string(file, context);
    } else if (role == KeyRole::Group) {
      keys.name = read_csv_string(file, context);
    } else {
      bool empty = false;
      keys.set(role, read_csv_longint(file, context, empty));
      if (empty) report_empty_key(line, c, layout.names[c]);
    }
  }
  return keys;
}

void report_file_failure(const std::string& file_name) {
  error("Error opening file \"" + file_name + "\".  File could not be opened for input." +
            "File may be in use by another program, or may be missing.  This is a fatal error - "
            "program will terminate.  Try closing file and re-run.",
        2, critical);
}

void report_uninitialized(const char* operation) {
  error(std::string("Called group_index.") + operation + " before initialization", 5, critical);
}

}  // namespace

Tgroup_index_obj::Tgroup_index_obj(const Tregion_list_info_obj& regions)
    : slot_by_numcode_(kMaxNumcode + 2, -1), groups_(kMaxGroupSlot + 2), regions_(&regions) {}

Tgroup_index_obj Tgroup_index_obj::empty_initialized(std::int32_t region_missing_value,
                                                     const Tregion_list_info_obj& regions) {
  Tgroup_index_obj index(regions);
  index.region_missing_value_ = region_missing_value;
  index.initialized_ = true;
  return index;
}

Tgroup_index_obj::Tgroup_index_obj(const Tuser_data_set_listing_obj& description,
                                   const Tregion_list_info_obj& regions)
    : Tgroup_index_obj(regions) {
  trace().Enter("Initializing group");
  os().process_messages();
  std::string file_name;
  std::optional<TextReader> file;
  try {
    file_name = description.get_data_file_name(0);
    file.emplace(TextReader::open_file(file_name));
    if (description.get_label_line(0)) file->readln();
    read_data_file(*file, description);
    initialized_ = true;
    file->close();
  } catch (const EUserInterrupt&) {
    throw;
  } catch (const std::exception& e) {
    if (dynamic_cast<const EInputRefused*>(&e) != nullptr)
      error(e.what(), 2, critical);  // names the file and the line
    else if (dynamic_cast<const EInOutError*>(&e) != nullptr)
      report_file_failure(file_name);
    file.reset();
    trace().Exit(kCompleted);
    throw;
  }
  trace().Exit(kCompleted);
}

void Tgroup_index_obj::read_data_file(TextReader& file,
                                      const Tuser_data_set_listing_obj& description) {
  const KeyLayout layout = key_layout(description);
  region_missing_value_ = description.get_var_missing_value(0, layout.region_column);
  std::int64_t line = 0;
  while (!file.at_end_of_records()) {
    ++line;
    if (line % 100 == 0) os().process_messages();
    try {
      const LineKeys keys = read_keys(file, layout, line);
      const bool known = keys.numcode >= -1 && keys.numcode <= kMaxNumcode &&
                         slot_by_numcode_[static_cast<std::size_t>(keys.numcode + 1)] != -1;
      if (!known) add_group(keys.numcode, keys.name, keys.diaspora, keys.region, keys.ccode);
    } catch (const TandrelError& e) {
      if (dynamic_cast<const EUserInterrupt*>(&e) != nullptr) throw;
      // Start-up stops over this line: say which it is (counting the label line).
      const std::int64_t file_line = line + (description.get_label_line(0) ? 1 : 0);
      os().message_box(file.name() + ", line " + std::to_string(file_line) + ": " + e.what(),
                       platform::MessageKind::Error);
      throw;
    }
    file.readln();
  }
}

kiv_region_type Tgroup_index_obj::region_for(std::int32_t region_code) const {
  if (region_code == region_missing_value_) return kiv_region_type::KivRegNone;
  return regions_->get_region_from_code(region_code);
}

void Tgroup_index_obj::add_group(std::int32_t numcode, const std::string& name,
                                 std::int32_t diaspora, std::int32_t region_code,
                                 std::int32_t ccode) {
  if (count_ > kMaxGroupSlot)
    throw ERangeError("Range check error: the group index is full (" +
                      std::to_string(kMaxGroupSlot + 1) + " groups); numcode " +
                      std::to_string(numcode) + " cannot be added");
  const group_range checked_numcode(numcode);
  const ccode_range checked_ccode(ccode);
  const diaspora_type checked_diaspora(diaspora);
  const auto slot = static_cast<std::int16_t>(count_);
  slot_by_numcode_[static_cast<std::size_t>(numcode + 1)] = slot;
  group_record& record = groups_[static_cast<std::size_t>(slot + 1)];
  record.numcode = checked_numcode;
  record.name = name;
  record.ccode = checked_ccode;
  record.region = region_for(region_code);
  record.diaspora = checked_diaspora;
  ++count_;
}

std::int16_t Tgroup_index_obj::index(std::int32_t numcode) const {
  if (!initialized_) {
    report_uninitialized("index");
    return -1;
  }
  return slot_of(numcode);
}

std::int32_t Tgroup_index_obj::get_numcode(std::int32_t slot) const {
  if (!initialized_) {
    report_uninitialized("get_numcode");
    return -1;
  }
  if (slot < -1 || slot > kMaxGroupSlot) return -1;
  return groups_[static_cast<std::size_t>(slot + 1)].numcode;
}

std::string Tgroup_index_obj::get_name(std::int32_t numcode) const {
  if (!initialized_) {
    report_uninitialized("get_name");
    return "BLANK";
  }
  if (numcode == -1) return "INITIALIZED VALUE";
  return groups_[static_cast<std::size_t>(slot_of(numcode) + 1)].name;
}

std::int32_t Tgroup_index_obj::get_group_country(std::int32_t numcode) const {
  if (!initialized_) {
    report_uninitialized("get_group_country");
    return -1;
  }
  return groups_[static_cast<std::size_t>(slot_of(numcode) + 1)].ccode;
}

const group_record& Tgroup_index_obj::group(std::int32_t slot) const {
  if (slot < -1 || slot > kMaxGroupSlot)
    throw ERangeError("Range check error: group slot " + std::to_string(slot) + " is outside -1.." +
                      std::to_string(kMaxGroupSlot));
  return groups_[static_cast<std::size_t>(slot + 1)];
}

// The searches run over every slot, empty ones included: an empty slot holds
// ccode -1 and diaspora 0 and answers for them.
bool Tgroup_index_obj::has_ccode(std::int32_t ccode) const {
  return std::any_of(groups_.begin() + 1, groups_.end(),
                     [ccode](const group_record& g) { return g.ccode == ccode; });
}

bool Tgroup_index_obj::has_region(kiv_region_type region) const {
  return std::any_of(groups_.begin() + 1, groups_.end(), [region](const group_record& g) {
    const bool in_use = g.region != kiv_region_type::KivRegNone || g.numcode != -1;
    return g.region == region && in_use;
  });
}

bool Tgroup_index_obj::has_diaspora(std::int32_t diaspora) const {
  return std::any_of(groups_.begin() + 1, groups_.end(),
                     [diaspora](const group_record& g) { return g.diaspora == diaspora; });
}

}  // namespace tandrel
