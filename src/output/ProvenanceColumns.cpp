#include "output/ProvenanceColumns.h"

#include "output/DataLine.h"
#include "reference/DataSetListing.h"

namespace tandrel {

namespace {

constexpr int kCountWidth = 4;
constexpr int kShareWidth = 10;
constexpr int kShareDecimals = 8;

void add_column(display_output_array_type& rows, output_variable_lists& lists,
                std::string& header_line, const std::string& separator, const std::string& wanted,
                const std::string& label, const char* type_word) {
  const std::string name = unique_var_name(lists.names, wanted);
  add_output_variable(lists, header_line, separator, name, label, kProvenanceMissing, type_word);
  rows.push_back(display_output_row{name, {}, {}, {}});
}

}  // namespace

void add_provenance_columns(const Tuser_data_set_listing_obj& description,
                            const std::vector<std::int32_t>& variables, bool merged,
                            display_output_array_type& rows, output_variable_lists& lists,
                            std::string& header_line, const std::string& separator) {
  for (std::int32_t v : variables) {
    const std::string& name = description.get_var_name(0, v);
    const std::string& label = description.get_var_description(0, v);
    if (merged)
      add_column(rows, lists, header_line, separator, name + "_n", kProvenanceCountLabel + label,
                 "long");
    add_column(rows, lists, header_line, separator, name + "_filled", kProvenanceShareLabel + label,
               merged ? "float" : "long");
  }
}

std::vector<TaggedValue> provenance_values(const std::vector<CaseProvenance>& provenance,
                                           bool merged) {
  std::vector<TaggedValue> values;
  values.reserve(provenance.size() * (merged ? 2 : 1));
  for (const CaseProvenance& p : provenance) {
    if (!merged) {
      values.push_back(TaggedValue::int32(p.values == 0 ? kProvenanceMissing : p.filled));
      continue;
    }
    values.push_back(TaggedValue::int32(p.values));
    values.push_back(p.values == 0 ? TaggedValue::int32(kProvenanceMissing)
                                   : TaggedValue::real(static_cast<double>(p.filled) / p.values));
  }
  return values;
}

void append_provenance_values(std::string& line, const std::vector<TaggedValue>& values,
                              bool merged, std::string_view separator, TaggedValue* cells) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    line += separator;
    // A share is written like a mean, a count or a 0/1 flag like agg_cnt.
    const bool share = merged && i % 2 == 1;
    append_output_value(line, values[i], share ? kShareWidth : kCountWidth,
                        share ? kShareDecimals : 0);
    if (cells != nullptr) *cells++ = values[i];
  }
}

}  // namespace tandrel
