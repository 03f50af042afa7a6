#include "MirrorCheck.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "desktop/MainWindow.h"
#include "ui/GenerateForm.h"

namespace tandrel::test {

namespace {

struct Box {
  const char* name;
  CheckBoxControl TGenerateForm::*control;
};
struct Radio {
  const char* name;
  RadioButtonControl TGenerateForm::*control;
};
struct Button {
  const char* name;
  ButtonControl TGenerateForm::*control;
};
struct Edit {
  const char* name;
  EditControl TGenerateForm::*control;
};
struct Item {
  const char* name;
  MenuItemControl TGenerateForm::*control;
};

using F = TGenerateForm;
constexpr Box kBoxes[] = {
    {"AllGrpCheckBox", &F::AllGrpCheckBox},
    {"SubsetGrpCheckBox", &F::SubsetGrpCheckBox},
    {"AllStatesCheckBox", &F::AllStatesCheckBox},
    {"SubsetStatesCheckBox", &F::SubsetStatesCheckBox},
    {"AllRegionCheckBox", &F::AllRegionCheckBox},
    {"SubsetRegionCheckBox", &F::SubsetRegionCheckBox},
    {"AllDiasporaCheckBox", &F::AllDiasporaCheckBox},
    {"DiasporaSubsetCheckBox", &F::DiasporaSubsetCheckBox},
    {"NonKivGroupCheckBox", &F::NonKivGroupCheckBox},
    {"NonKivGroupAllCheckBox", &F::NonKivGroupAllCheckBox},
    {"NonKivGroupSubsetCheckBox", &F::NonKivGroupSubsetCheckBox},
    {"LinearInterpCheckBox", &F::LinearInterpCheckBox},
    {"CarryforwardInterpCheckBox", &F::CarryforwardInterpCheckBox},
    {"IncludeMissingCheckBox", &F::IncludeMissingCheckBox},
    {"SPSSCommandFileCheckBox", &F::SPSSCommandFileCheckBox},
    {"StataCommandFileCheckBox", &F::StataCommandFileCheckBox},
    {"LIMDEPCommandFileCheckBox", &F::LIMDEPCommandFileCheckBox},
    {"StataDataFileCheckBox", &F::StataDataFileCheckBox},
    {"SPSSDataFileCheckBox", &F::SPSSDataFileCheckBox},
    {"Header", &F::Header},
};
constexpr Radio kRadios[] = {
    {"PhysGrpButton", &F::PhysGrpButton},
    {"PhysStateButton", &F::PhysStateButton},
    {"PhysRegionButton", &F::PhysRegionButton},
    {"PhysDiasporaButton", &F::PhysDiasporaButton},
    {"PhysGlobeButton", &F::PhysGlobeButton},
    {"TimeAnnualButton", &F::TimeAnnualButton},
    {"Time2yrButton", &F::Time2yrButton},
    {"Time5yrButton", &F::Time5yrButton},
    {"Time10yrButton", &F::Time10yrButton},
    {"InterpolateYesButton", &F::InterpolateYesButton},
    {"InterpolateNoButton", &F::InterpolateNoButton},
    {"All_Yrs", &F::All_Yrs},
    {"Specified_Yrs", &F::Specified_Yrs},
    {"ToFileRadioDial", &F::ToFileRadioDial},
    {"ToScreenRadioDial", &F::ToScreenRadioDial},
    {"ToPrinterRadioDial", &F::ToPrinterRadioDial},
    {"SeparateWithTabs", &F::SeparateWithTabs},
    {"SeparateWithSpaces", &F::SeparateWithSpaces},
    {"SeparateWithCommas", &F::SeparateWithCommas},
};
constexpr Button kButtons[] = {
    {"GroupSubsetButton", &F::GroupSubsetButton},
    {"ChangeStateSubsetButton", &F::ChangeStateSubsetButton},
    {"ChangeRegionSubsetButton", &F::ChangeRegionSubsetButton},
    {"ChangeDiasporaSubsetButton", &F::ChangeDiasporaSubsetButton},
    {"NonKivSubsetButton", &F::NonKivSubsetButton},
    {"FileChangeButton", &F::FileChangeButton},
    {"PrintSetupButton", &F::PrintSetupButton},
    {"SelectAllButton", &F::SelectAllButton},
    {"UnselectAllButton", &F::UnselectAllButton},
    {"CreateDataSetButton", &F::CreateDataSetButton},
    {"ExitBtn", &F::ExitBtn},
};
constexpr Edit kEdits[] = {
    {"SubYear1Edit", &F::SubYear1Edit},
    {"SubYear2Edit", &F::SubYear2Edit},
    {"FileDisplay", &F::FileDisplay},
};
constexpr Item kItems[] = {
    {"LoadSettings1", &F::LoadSettings1},
    {"SaveSettings1", &F::SaveSettings1},
    {"Exit1", &F::Exit1},
    {"CreateNow1", &F::CreateNow1},
    {"ShowOutputWindow1", &F::ShowOutputWindow1},
    {"TraceOnMenuItem", &F::TraceOnMenuItem},
    {"TraceOffMenuItem", &F::TraceOffMenuItem},
};

class Differences {
 public:
  explicit Differences(desktop::MainWindow& window) : window_(window) {}

  template <class W>
  W* find(const char* name) {
    W* w = window_.findChild<W*>(QString::fromLatin1(name));
    if (w == nullptr) lines.push_back(std::string(name) + ": no widget");
    return w;
  }
  void same(const char* name, const char* what, const std::string& widget,
            const std::string& model) {
    if (widget != model)
      lines.push_back(std::string(name) + " " + what + ": widget '" + widget + "', model '" +
                      model + "'");
  }
  void same(const char* name, const char* what, bool widget, bool model) {
    if (widget != model)
      lines.push_back(std::string(name) + " " + what + ": widget " + (widget ? "true" : "false") +
                      ", model " + (model ? "true" : "false"));
  }
  void control(const char* name, QWidget* w, const Control& c) {
    same(name, "enabled", w->isEnabled(), c.enabled);
    same(name, "visible", !w->isHidden(), c.visible);
  }

  std::vector<std::string> lines;

 private:
  desktop::MainWindow& window_;
};

}  // namespace

std::vector<std::string> mirror_differences(desktop::MainWindow& window) {
  TGenerateForm& form = window.form();
  Differences d(window);
  // Either/or boxes of the model show as radio buttons.
  for (const Box& b : kBoxes)
    if (auto* w = d.find<QAbstractButton>(b.name)) {
      const CheckBoxControl& c = form.*b.control;
      d.same(b.name, "checked", w->isChecked(), c.checked());
      d.same(b.name, "caption", w->text().toStdString(), c.caption);
      d.control(b.name, w, c);
    }
  for (const Radio& r : kRadios)
    if (auto* w = d.find<QRadioButton>(r.name)) {
      const RadioButtonControl& c = form.*r.control;
      d.same(r.name, "checked", w->isChecked(), c.checked());
      d.same(r.name, "caption", w->text().toStdString(), c.caption);
      d.control(r.name, w, c);
    }
  for (const Button& b : kButtons)
    if (auto* w = d.find<QPushButton>(b.name)) {
      d.same(b.name, "caption", w->text().toStdString(), (form.*b.control).caption);
      d.control(b.name, w, form.*b.control);
    }
  for (const Edit& e : kEdits)
    if (auto* w = d.find<QLineEdit>(e.name)) {
      d.same(e.name, "text", w->text().toStdString(), (form.*e.control).text);
      d.control(e.name, w, form.*e.control);
    }
  for (const Item& i : kItems)
    if (auto* w = d.find<QAction>(i.name)) {
      const MenuItemControl& c = form.*i.control;
      d.same(i.name, "enabled", w->isEnabled(), c.enabled);
      if (w->isCheckable()) d.same(i.name, "checked", w->isChecked(), c.checked);
    }
  for (std::size_t k = 0; k < form.VarCheckBoxes.size(); ++k) {
    const std::string name = form.VarBoxPlaces[k].name;
    if (auto* w = d.find<QCheckBox>(name.c_str())) {
      d.same(name.c_str(), "checked", w->isChecked(), form.VarCheckBoxes[k].checked);
      d.same(name.c_str(), "enabled", w->isEnabled(), form.VarCheckBoxes[k].enabled);
    }
  }
  return d.lines;
}

}  // namespace tandrel::test
