#pragma once

// "Describe This Data Set…": the methods paragraph of the selections the
// main window shows, in a dialog with a Copy button, before anything runs.

#include <functional>
#include <string>
#include <vector>

#include "diagnostics/Control.h"
#include "diagnostics/ModalModel.h"
#include "reference/VariableRules.h"

namespace tandrel {

struct configuration_type;
class Tuser_data_set_listing_obj;

class TDescribeDataSetDlg : public ModalModel {
 public:
  TDescribeDataSetDlg();

  std::string Caption = "Describe This Data Set";
  std::string caption() const override { return Caption; }
  Control Paragraph;
  Control CopyButton{"&Copy"};
  Control CloseButton{"Close"};

  // Where Copy puts the paragraph: the desktop's clipboard.
  std::function<void(const std::string&)> on_copy;

  // Shows `paragraph` with the Copy button ready again.
  void describe(const std::string& paragraph);
  void CopyButtonClick();
  void CloseButtonClick() { close(); }

  std::string_view dialog_name() const override { return "TDescribeDataSetDlg"; }
  std::string dialog_text() const override { return Paragraph.caption; }
};

// The paragraph for `selections` with the variables of `boxes` as Go would
// take them (the identifier variables in, "diaspora" out), before the run:
// the number of cases is not known yet.
std::string describe_selections(const user_selection_type& selections,
                                const std::vector<VariableBox>& boxes,
                                const Tuser_data_set_listing_obj& description,
                                const configuration_type& configuration);

}  // namespace tandrel
