// Interpolation: for every group and every selected variable, the years
// strictly between two observed years are filled, on a straight line or by
// carrying the earlier observation forward. Years without a group-year get
// one. Nothing is filled before the first or after the last observation.
//
// Each group's rows are looked up once; then every column is scanned down
// its own typed values, a gap filled as soon as its next observation is
// seen. A column reads and writes only its own position, and a created
// group-year holds only missing codes, so the columns do not see each
// other's filling. A year without a group-year reads as the missing code,
// exactly as get_group_value would answer, and so does a year outside the
// partition.

#include <cmath>

#include "diagnostics/Error.h"
#include "engine/KIVArray.h"
#include "reference/DataSetListing.h"
#include "reference/GroupIndex.h"

namespace tandrel {

namespace {

enum class FillRule : std::uint8_t {
  CarryForward,
  LinearInteger,
  LinearReal,
  UnknownType,
  UnknownMethod,
};

constexpr const char* kUnknownType =
    "var type for variant variable not found in procedure construct_data_line: programming "
    "error; notify programmer";
constexpr const char* kUnknownMethod =
    "Programming error - interpolation method not set properly in loop inside .interpolate "
    "procedure.  Notify Programmer of error.";

FillRule rule_for(std::int16_t type, interpolation_method_type method) {
  if (method == interpolation_method_type::InterpCarryForward) return FillRule::CarryForward;
  if (method != interpolation_method_type::InterpLinear) return FillRule::UnknownMethod;
  switch (type) {
    case kVarTypeInteger:
      return FillRule::LinearInteger;
    case kVarTypeReal:
      return FillRule::LinearReal;
    case kVarTypeString:
    case kVarTypeOleString:
      return FillRule::CarryForward;
    default:
      return FillRule::UnknownType;
  }
}

// v_a + (i - a) x (v_b - v_a) / (b - a), in double precision.
double on_the_line(const TaggedValue& va, const TaggedValue& vb, int a, int b, int i) {
  return va.to_double() +
         static_cast<double>(i - a) * numeric_difference(vb, va) / static_cast<double>(b - a);
}

}  // namespace

// One selected column and how its gap years are filled.
struct TKIV_array_obj::FillColumn {
  std::int32_t variable;
  std::int32_t region_variable;
  std::int32_t position;
  std::int32_t missing;
  FillRule rule;
  // An unknown type is reported once, not for every gap year.
  bool reported = false;
  // The latest year observed in the group at hand, -1 before the first.
  int observed = -1;

  bool missing_in(const ColumnStore& store, std::int32_t row) const {
    return row < 0 || value_is_missing(variable, region_variable,
                                       store.get(row, static_cast<std::size_t>(position)), missing);
  }
};

bool TKIV_array_obj::value_is_missing(std::int32_t variable, std::int32_t region_variable,
                                      const TaggedValue& value, std::int32_t missing_code) {
  if (variable == region_variable) return value.equals_code(0) || value.equals_code(missing_code);
  switch (value.kind()) {
    case TaggedValue::Kind::Int32:
      return value.to_int() == missing_code;
    case TaggedValue::Kind::Double:
      // Rounded ties to even; a value no integer can hold never matches.
      return std::nearbyint(value.to_double()) == static_cast<double>(missing_code);
    default:
      return false;
  }
}

void TKIV_array_obj::series_rows(std::int32_t numcode, std::vector<std::int32_t>& rows) const {
  rows.assign(static_cast<std::size_t>(last_partition_year_ - first_partition_year_ + 1), -1);
  for (int year = first_partition_year_; year <= last_partition_year_; ++year)
    rows[static_cast<std::size_t>(year - first_partition_year_)] = row(numcode, year);
}

void TKIV_array_obj::interpolate(const Tuser_data_set_listing_obj& description,
                                 const user_selection_type& selections) {
  if (!initialized_ || !groups_->initialized()) return;
  const std::int32_t region = description.find_var_number(ds_, "region");
  const std::int32_t year = description.find_var_number(ds_, "year");
  std::vector<FillColumn> columns;
  std::vector<bool> taken(column_count_, false);
  for (std::int32_t v : selections.variable_selections.variable_columns) {
    if (!variable_selected(v)) continue;
    const std::int32_t position = column_map_[static_cast<std::size_t>(v)];
    // A variable listed twice has one position; it is filled once.
    if (taken[static_cast<std::size_t>(position)]) continue;
    taken[static_cast<std::size_t>(position)] = true;
    FillRule rule = rule_for(description.get_var_type(ds_, v), selections.interpolation_method);
    if (v == region) rule = FillRule::CarryForward;
    if (v == year) rule = FillRule::LinearInteger;
    columns.push_back({v, region, position, description.get_var_missing_value(ds_, v), rule});
  }
  std::vector<std::int32_t> rows;
  for (std::int32_t slot = -1; slot <= kMaxGroupSlot; ++slot) {
    const std::int32_t numcode = groups_->get_numcode(slot);
    if (!groups_->have_group(numcode)) continue;
    series_rows(numcode, rows);
    interpolate_group(numcode, rows, columns);
  }
}

void TKIV_array_obj::interpolate_group(std::int32_t numcode, std::vector<std::int32_t>& rows,
                                       std::vector<FillColumn>& columns) {
  for (FillColumn& column : columns) {
    column.observed = -1;
    for (int year = first_partition_year_; year <= last_partition_year_; ++year) {
      // Filling writes earlier years only, so this row stays as it is.
      const std::int32_t values = rows[static_cast<std::size_t>(year - first_partition_year_)];
      if (values < 0 || column.missing_in(store_, values)) continue;
      if (column.observed >= 0 && column.observed + 1 < year)
        fill_gap(numcode, rows, column, column.observed, year);
      column.observed = year;
    }
  }
}

void TKIV_array_obj::fill_gap(std::int32_t numcode, std::vector<std::int32_t>& rows,
                              FillColumn& column, int a, int b) {
  const int first = first_partition_year_;
  const auto position = static_cast<std::size_t>(column.position);
  const TaggedValue va = store_.get(rows[static_cast<std::size_t>(a - first)], position);
  const TaggedValue vb = store_.get(rows[static_cast<std::size_t>(b - first)], position);
  for (int i = a + 1; i < b; ++i) {
    TaggedValue value;
    switch (column.rule) {
      case FillRule::CarryForward:
        value = va;
        break;
      case FillRule::LinearInteger:
        value = TaggedValue::int64(
            static_cast<std::int64_t>(std::nearbyint(on_the_line(va, vb, a, b, i))));
        break;
      case FillRule::LinearReal:
        value = TaggedValue::real(on_the_line(va, vb, a, b, i));
        break;
      case FillRule::UnknownType:
        if (!column.reported) error(kUnknownType, 1, noncritical);
        column.reported = true;
        return;
      case FillRule::UnknownMethod:
        error(kUnknownMethod, 1, critical);
        return;
    }
    std::int32_t& target = rows[static_cast<std::size_t>(i - first)];
    if (target < 0) {
      init_group_year(i, numcode);
      target = row(numcode, i);
    }
    store_.set(target, position, value);
  }
}

}  // namespace tandrel
