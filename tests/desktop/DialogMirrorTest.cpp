// Every modal dialog model with controls keeps a registry of them, and its
// Qt dialog has a widget for each: the mirror check walks the registry, so
// a registered control the view forgot, or one whose widget is gone, fails.
#include <gmock/gmock.h>

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <functional>
#include <memory>

#include "DesktopFixture.h"
#include "MirrorCheck.h"
#include "desktop/ModalDialogView.h"
#include "diagnostics/ErrorDialog.h"
#include "diagnostics/VerifyStopForm.h"
#include "ui/AboutBox.h"
#include "ui/DescribeDataSet.h"
#include "ui/RunEndMessage.h"
#include "ui/SubsetDialogs.h"

namespace tandrel::test {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

struct DialogCase {
  const char* name;
  std::function<std::unique_ptr<ModalModel>(const std::string& dir)> make;
  const char* close;                       // the button that closes it
  std::vector<const char*> hidden_labels;  // registered labels the dialog hides
};

class DialogMirror : public DesktopFixture, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogMirror, EveryRegisteredControlHasItsWidget) {
  start();
  std::unique_ptr<ModalModel> model = GetParam().make(dir.path());
  ASSERT_FALSE(model->controls().entries().empty());
  answer_run_end = true;
  std::vector<std::string> differences;
  answer([&](QWidget& dialog) {
    differences = mirror_differences(dialog, model->controls());
    for (const char* label : GetParam().hidden_labels) {
      auto* widget = dialog.findChild<QLabel*>(QString::fromLatin1(label));
      EXPECT_TRUE(widget != nullptr && widget->isHidden()) << label;
    }
    press_in(dialog, QString::fromLatin1(GetParam().close));
  });
  desktop::run_modal_dialog(platform, *model, &window());
  EXPECT_THAT(differences, IsEmpty());
  EXPECT_FALSE(model->is_showing());
}

RunEnd written_run(const std::string& dir) {
  RunEnd end;
  end.result.output_written = true;
  end.files = {{dir + "/out.csv", "the data file"}};
  return end;
}

RunEnd failed_run(const std::string& dir) {
  RunEnd end;
  end.error_log = dir + "/errors.log";
  return end;
}

INSTANTIATE_TEST_SUITE_P(
    Models, DialogMirror,
    ::testing::Values(
        DialogCase{"Error",
                   [](const std::string&) { return std::make_unique<TErrorDialog>(); },
                   "IgnoreButton",
                   {}},
        DialogCase{"VerifyStop",
                   [](const std::string&) { return std::make_unique<TVerifyStopForm>(); },
                   "cancbut",
                   {}},
        DialogCase{"AboutWithWebsite",
                   [](const std::string&) {
                     return std::make_unique<TAboutBox>(nullptr, "https://example.org/");
                   },
                   "OKButton",
                   {}},
        DialogCase{"AboutWithoutWebsite",
                   [](const std::string&) { return std::make_unique<TAboutBox>(nullptr); },
                   "OKButton",
                   {"WebsiteLabel", "WebsiteGoToLabel"}},
        DialogCase{"DescribeDataSet",
                   [](const std::string&) {
                     auto model = std::make_unique<TDescribeDataSetDlg>();
                     model->describe("A data set of groups.");
                     return model;
                   },
                   "CloseButton",
                   {}},
        DialogCase{"RunEndWritten",
                   [](const std::string& dir) {
                     return std::make_unique<TRunEndDialog>(written_run(dir));
                   },
                   "OKButton",
                   {}},
        DialogCase{
            "RunEndFailed",
            [](const std::string& dir) { return std::make_unique<TRunEndDialog>(failed_run(dir)); },
            "OKButton",
            {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The subset dialogs' registry holds their labels, lists and buttons; the
// check follows the lists' rows and the buttons' states through a move, and
// a list whose widget is gone is a difference.
struct SubsetCase {
  const char* name;
  void (*open)(DesktopFixture&);  // as a user opens it
  TGenericListDlg& (*dialog)(TGenerateForm&);
};

class SubsetDialogMirror : public DesktopFixture,
                           public ::testing::WithParamInterface<SubsetCase> {};

TEST_P(SubsetDialogMirror, FollowsTheRegistryThroughAMove) {
  start();
  TGenericListDlg& model = GetParam().dialog(form());
  for (const char* id : {"SrcLabel", "DstLabel", "SrcList", "DstList", "IncludeBtn", "Ok"})
    EXPECT_NE(model.controls().find(id), nullptr) << id;
  answer([&](QWidget& dialog) {
    EXPECT_THAT(mirror_differences(dialog, model.controls()), IsEmpty());
    dialog.findChild<QPushButton*>(QStringLiteral("IncAllBtn"))->click();
    EXPECT_EQ(model.SrcList.count(), 0);
    EXPECT_THAT(mirror_differences(dialog, model.controls()), IsEmpty());
    dialog.findChild<QListView*>(QStringLiteral("DstList"))->setObjectName(QString());
    EXPECT_THAT(mirror_differences(dialog, model.controls()), Contains("DstList: no widget"));
    press_in(dialog, QStringLiteral("Cancel"));
  });
  GetParam().open(*this);
  EXPECT_FALSE(model.is_showing());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, SubsetDialogMirror,
    ::testing::Values(
        SubsetCase{"Groups",
                   [](DesktopFixture& f) {
                     f.click("PhysGrpButton");
                     f.click("GroupSubsetButton");
                   },
                   [](TGenerateForm& f) -> TGenericListDlg& { return *f.GroupListDlg; }},
        SubsetCase{"States",
                   [](DesktopFixture& f) {
                     f.click("PhysStateButton");
                     f.click("ChangeStateSubsetButton");
                   },
                   [](TGenerateForm& f) -> TGenericListDlg& { return *f.KIVCountryListDlg; }},
        SubsetCase{"ControlStates",
                   [](DesktopFixture& f) {
                     f.click("PhysStateButton");
                     if (!f.form().NonKivGroupCheckBox.checked()) f.click("NonKivGroupCheckBox");
                     f.click("NonKivSubsetButton");
                   },
                   [](TGenerateForm& f) -> TGenericListDlg& { return *f.NonKIVCountryListDlg; }},
        SubsetCase{"Regions",
                   [](DesktopFixture& f) {
                     f.click("PhysRegionButton");
                     f.click("ChangeRegionSubsetButton");
                   },
                   [](TGenerateForm& f) -> TGenericListDlg& { return *f.RegionListDlg; }},
        // The diaspora unit's controls stay shut: the model opens it.
        SubsetCase{"Diasporas",
                   [](DesktopFixture& f) {
                     f.window().act([&f] { f.form().ChangeDiasporaSubsetButtonClick(); });
                   },
                   [](TGenerateForm& f) -> TGenericListDlg& { return *f.DiasporaListDlg; }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tandrel::test
