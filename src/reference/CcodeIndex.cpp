#include "reference/CcodeIndex.h"

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "process/Bounded.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/CowListFile.h"
#include "reference/FieldReaders.h"

namespace tandrel {

namespace {

// Nation numbers handed out; the 251st code raises ERangeError.
using nation_number_type = Bounded<std::int16_t, 1, kMaxNations>;

}  // namespace

Tccode_index_obj::Tccode_index_obj() {
  number_by_code_.fill(-1);
  code_by_number_.fill(-1);
}

Tccode_index_obj::Tccode_index_obj(const std::string& nation_list_file_name) : Tccode_index_obj() {
  trace().Enter("Initializing ccode_index");
  try {
    read_cow_list(nation_list_file_name, [this](TextReader& file) {
      read_csv_string(file);
      std::int32_t code = read_csv_int(file);
      file.readln();
      take_code(code);
    });
    initialized_ = true;
  } catch (const std::exception&) {
    trace().Exit("Completed initializing ccode_index");
    throw;
  }
  trace().Exit("Completed initializing ccode_index");
}

void Tccode_index_obj::take_code(std::int32_t code) {
  ccode_range checked = code;
  std::int16_t& number = number_by_code_[static_cast<std::size_t>(checked + 1)];
  if (number != -1) return;
  nation_number_type next = nation_count_ + 1;
  nation_count_ = next;
  number = next;
  code_by_number_[static_cast<std::size_t>(next + 1)] = checked;
}

std::int16_t Tccode_index_obj::index(std::int32_t code) const {
  if (!initialized_) {
    error("Called ccode_index.index before initialization", 5, critical);
    return -1;
  }
  if (code == -1 || !ccode_range::in_range(code)) return -1;
  return number_by_code_[static_cast<std::size_t>(code + 1)];
}

std::int16_t Tccode_index_obj::code_of(std::int32_t nation_number) const {
  if (!initialized_) {
    error("Called ccode_index.code_of before initialization", 5, critical);
    return -1;
  }
  if (nation_number < -1 || nation_number > kMaxNations) return -1;
  return code_by_number_[static_cast<std::size_t>(nation_number + 1)];
}

}  // namespace tandrel
