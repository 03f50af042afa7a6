// The main window's share of the provenance columns, the codebook and the
// methods paragraph: two check boxes of Output Options and "Describe This
// Data Set…" in the Create Data Set menu.

#include "process/Globals.h"
#include "ui/DescribeDataSet.h"
#include "ui/GenerateForm.h"

namespace tandrel {

void TGenerateForm::CodebookCheckBoxClick() {
  selections().output_format.codebook = CodebookCheckBox.checked();
}

void TGenerateForm::ProvenanceCheckBoxClick() {
  selections().output_format.provenance_columns = ProvenanceCheckBox.checked();
}

void TGenerateForm::DescribeDataSet1Click() {
  if (!DescribeDlg) DescribeDlg = std::make_unique<TDescribeDataSetDlg>();
  DescribeDlg->describe(
      describe_selections(selections(), VarCheckBoxes, description(), globals().configuration));
  DescribeDlg->show();
}

}  // namespace tandrel
