#include "ui/DescribeDataSet.h"

#include "output/CommandFileFormats.h"
#include "output/MethodsText.h"
#include "process/ConfigurationType.h"
#include "reference/DataSetListing.h"

namespace tandrel {

TDescribeDataSetDlg::TDescribeDataSetDlg() {
  add_button(
      "CopyButton", CopyButton, [this] { CopyButtonClick(); }, Role::Default);
  add_button(
      "CloseButton", CloseButton, [this] { CloseButtonClick(); }, Role::Cancel);
}

void TDescribeDataSetDlg::describe(const std::string& paragraph) {
  Paragraph.caption = paragraph;
  CopyButton.caption = "&Copy";
}

void TDescribeDataSetDlg::CopyButtonClick() {
  if (on_copy) on_copy(Paragraph.caption);
  CopyButton.caption = "Copied";
}

std::string describe_selections(const user_selection_type& selections,
                                const std::vector<VariableBox>& boxes,
                                const Tuser_data_set_listing_obj& description,
                                const configuration_type& configuration) {
  std::vector<VariableBox> taken = boxes;
  for (VariableBox& box : taken) {
    const std::string& name = description.get_var_name(0, box.variable);
    if (name == "diaspora")
      box.checked = false;
    else if (is_identifier_variable(name))
      box.checked = true;
  }
  user_selection_type s = selections;
  read_variable_selections(taken, s);
  const MethodsFacts facts{s,
                           name_part(description.get_data_file_name(0)),
                           configuration.data_set_version,
                           configuration.citation,
                           std::nullopt,
                           s.variable_selections.variable_columns.size()};
  return methods_paragraph(facts);
}

}  // namespace tandrel
