// The main window's provenance and codebook check boxes, and "Describe This
// Data Set…": the paragraph of what the window shows, with a Copy button.

#include <gtest/gtest.h>

#include "reference/DataSetListing.h"
#include "ui/DescribeDataSet.h"
#include "ui/MainWindowFixture.h"

namespace tandrel {
namespace {

class DataSetExtras : public test::MainWindowFixture {
 protected:
  DataSetExtras() { start(); }
};

// The codebook goes beside a data file, so it follows the command files;
// the provenance columns go with any destination. Both are kept when shut.
TEST_F(DataSetExtras, CodebookFollowsTheCommandFilesProvenanceGoesEverywhere) {
  EXPECT_FALSE(form().CodebookCheckBox.enabled);
  EXPECT_TRUE(form().ProvenanceCheckBox.enabled);
  form().ProvenanceCheckBox.click();
  EXPECT_TRUE(sel().output_format.provenance_columns);
  platform.script_save_file(dir.file("out.csv"));
  form().ToFileRadioDial.click();
  ASSERT_TRUE(form().CodebookCheckBox.enabled);
  form().CodebookCheckBox.click();
  EXPECT_TRUE(sel().output_format.codebook);
  form().ToScreenRadioDial.click();
  EXPECT_FALSE(form().CodebookCheckBox.enabled);
  EXPECT_TRUE(sel().output_format.codebook);
  form().ProvenanceCheckBox.click();
  EXPECT_FALSE(sel().output_format.provenance_columns);
}

TEST_F(DataSetExtras, ShownSelectionsCheckTheBoxes) {
  user_selection_type s = sel();
  s.output_format.codebook = true;
  s.output_format.provenance_columns = true;
  form().ShowSelections(s, *session.description);
  EXPECT_TRUE(form().CodebookCheckBox.checked());
  EXPECT_TRUE(form().ProvenanceCheckBox.checked());
}

// The paragraph counts the variables Go would take: the identifiers in
// though unchecked, "diaspora" out though checked. Copy hands it on.
TEST_F(DataSetExtras, DescribeShowsTheParagraphOfTheWindowAndCopiesIt) {
  std::string copied, shown;
  platform.script_action([&](platform::ModalDialog& d) {
    auto& describe = dynamic_cast<TDescribeDataSetDlg&>(d);
    describe.on_copy = [&](const std::string& text) { copied = text; };
    shown = d.text();
    d.press("CopyButton");
    EXPECT_EQ(describe.CopyButton.caption, "Copied");
    d.press("CloseButton");
  });
  for (VariableBox& box : form().VarCheckBoxes)
    box.checked = session.description->get_var_name(0, box.variable) == "diaspora";
  form().DescribeDataSet1.click();
  EXPECT_EQ(copied, shown);
  std::size_t identifiers = 0;
  for (const VariableBox& box : form().VarCheckBoxes) {
    const std::string& name = session.description->get_var_name(0, box.variable);
    if (is_identifier_variable(name) && name != "diaspora") ++identifiers;
  }
  EXPECT_NE(
      shown.find("It holds " + std::to_string(identifiers) + " variables; the number of cases"),
      std::string::npos)
      << shown;
  EXPECT_EQ(shown.rfind("This data set was generated with Tandrel 1.06", 0), 0U);
}

}  // namespace
}  // namespace tandrel
