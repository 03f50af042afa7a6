// The pages of the main window: main settings, output options and the frame
// of the variable pages. Layouts let every group box grow with its captions
// in the desktop's font.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/MainWindow.h"
#include "ui/GenerateForm.h"

namespace tandrel::desktop {

namespace {

template <class W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

QWidget* MainWindow::build_main_settings() {
  auto* page = named(new QWidget, "MainSettingsTab");
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(build_unit_box());
  layout->addWidget(build_nonkiv_box());
  auto* row = new QHBoxLayout;
  row->addWidget(build_period_box());
  row->addWidget(build_interpolation_box(), 1);
  layout->addLayout(row);
  layout->addWidget(build_years_box());
  layout->addStretch();
  return page;
}

QWidget* MainWindow::build_unit_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.PhysicalAggregationGroupBox, nullptr),
                         "PhysicalAggregationGroupBox");
  auto* grid = new QGridLayout(box);
  grid->addWidget(named(mirror_.radio(f.PhysGrpButton, box), "PhysGrpButton"), 0, 0);
  grid->addWidget(named(mirror_.radio(f.PhysStateButton, box), "PhysStateButton"), 1, 0);
  grid->addWidget(named(mirror_.radio(f.PhysRegionButton, box), "PhysRegionButton"), 2, 0);
  grid->addWidget(named(mirror_.radio(f.PhysDiasporaButton, box), "PhysDiasporaButton"), 3, 0);
  grid->addWidget(named(mirror_.radio(f.PhysGlobeButton, box), "PhysGlobeButton"), 4, 0);
  struct Row {
    CheckBoxControl& all;
    const char* all_name;
    CheckBoxControl& subset;
    const char* subset_name;
    ButtonControl& button;
    const char* button_name;
  };
  const Row rows[] = {
      {f.AllGrpCheckBox, "AllGrpCheckBox", f.SubsetGrpCheckBox, "SubsetGrpCheckBox",
       f.GroupSubsetButton, "GroupSubsetButton"},
      {f.AllStatesCheckBox, "AllStatesCheckBox", f.SubsetStatesCheckBox, "SubsetStatesCheckBox",
       f.ChangeStateSubsetButton, "ChangeStateSubsetButton"},
      {f.AllRegionCheckBox, "AllRegionCheckBox", f.SubsetRegionCheckBox, "SubsetRegionCheckBox",
       f.ChangeRegionSubsetButton, "ChangeRegionSubsetButton"},
      {f.AllDiasporaCheckBox, "AllDiasporaCheckBox", f.DiasporaSubsetCheckBox,
       "DiasporaSubsetCheckBox", f.ChangeDiasporaSubsetButton, "ChangeDiasporaSubsetButton"},
  };
  int r = 0;
  for (const Row& row : rows) {
    grid->addWidget(named(mirror_.check_box(row.all, box), row.all_name), r, 1);
    grid->addWidget(named(mirror_.check_box(row.subset, box), row.subset_name), r, 2);
    grid->addWidget(named(mirror_.button(row.button, box), row.button_name), r, 3);
    ++r;
  }
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget* MainWindow::build_nonkiv_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.ControlGroupBox, nullptr), "ControlGroupBox");
  auto* layout = new QVBoxLayout(box);
  QCheckBox* include = named(mirror_.check_box(f.NonKivGroupCheckBox, box), "NonKivGroupCheckBox");
  layout->addWidget(include);
  auto* row = new QHBoxLayout;
  row->addSpacing(20);
  row->addWidget(named(mirror_.check_box(f.NonKivGroupAllCheckBox, box), "NonKivGroupAllCheckBox"));
  row->addWidget(
      named(mirror_.check_box(f.NonKivGroupSubsetCheckBox, box), "NonKivGroupSubsetCheckBox"), 1);
  row->addWidget(named(mirror_.button(f.NonKivSubsetButton, box), "NonKivSubsetButton"));
  layout->addLayout(row);
  return box;
}

QWidget* MainWindow::build_period_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.TemporalAggregationGroupBox, nullptr),
                         "TemporalAggregationGroupBox");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(named(mirror_.radio(f.TimeAnnualButton, box), "TimeAnnualButton"));
  layout->addWidget(named(mirror_.radio(f.Time2yrButton, box), "Time2yrButton"));
  layout->addWidget(named(mirror_.radio(f.Time5yrButton, box), "Time5yrButton"));
  layout->addWidget(named(mirror_.radio(f.Time10yrButton, box), "Time10yrButton"));
  layout->addStretch();
  return box;
}

QWidget* MainWindow::build_interpolation_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.InterpolateGroupBox, nullptr), "InterpolateGroupBox");
  auto* grid = new QGridLayout(box);
  grid->addWidget(named(mirror_.radio(f.InterpolateYesButton, box), "InterpolateYesButton"), 0, 0,
                  1, 2);
  grid->addWidget(named(mirror_.check_box(f.LinearInterpCheckBox, box), "LinearInterpCheckBox"), 1,
                  1);
  grid->addWidget(
      named(mirror_.check_box(f.CarryforwardInterpCheckBox, box), "CarryforwardInterpCheckBox"), 2,
      1);
  grid->addWidget(named(mirror_.radio(f.InterpolateNoButton, box), "InterpolateNoButton"), 3, 0, 1,
                  2);
  grid->addWidget(named(mirror_.check_box(f.IncludeMissingCheckBox, box), "IncludeMissingCheckBox"),
                  4, 0, 1, 2);
  grid->setColumnMinimumWidth(0, 20);
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* MainWindow::build_years_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.Years_lst, nullptr), "Years_lst");
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(named(mirror_.radio(f.All_Yrs, box), "All_Yrs"));
  layout->addSpacing(12);
  layout->addWidget(named(mirror_.radio(f.Specified_Yrs, box), "Specified_Yrs"));
  layout->addWidget(named(mirror_.label(f.FromLabel, box), "FromLabel"));
  QLineEdit* first = named(mirror_.edit(f.SubYear1Edit, box), "SubYear1Edit");
  QLineEdit* last = named(mirror_.edit(f.SubYear2Edit, box), "SubYear2Edit");
  for (QLineEdit* year : {first, last})
    year->setFixedWidth(year->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  layout->addWidget(first);
  layout->addWidget(named(mirror_.label(f.ToLabel, box), "ToLabel"));
  layout->addWidget(last);
  layout->addStretch();
  return box;
}

QWidget* MainWindow::build_output_options() {
  TGenerateForm& f = form_;
  auto* page = named(new QWidget, "OutputOptionsTab");
  auto* layout = new QVBoxLayout(page);

  QGroupBox* where = named(mirror_.group_box(f.locationBox, page), "locationBox");
  auto* grid = new QGridLayout(where);
  grid->addWidget(named(mirror_.radio(f.ToFileRadioDial, where), "ToFileRadioDial"), 0, 0);
  grid->addWidget(named(mirror_.edit(f.FileDisplay, where), "FileDisplay"), 0, 1);
  grid->addWidget(named(mirror_.button(f.FileChangeButton, where), "FileChangeButton"), 1, 1,
                  Qt::AlignLeft);
  grid->addWidget(named(mirror_.radio(f.ToScreenRadioDial, where), "ToScreenRadioDial"), 2, 0);
  grid->addWidget(named(mirror_.radio(f.ToPrinterRadioDial, where), "ToPrinterRadioDial"), 3, 0);
  grid->addWidget(named(mirror_.button(f.PrintSetupButton, where), "PrintSetupButton"), 3, 1,
                  Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  layout->addWidget(where);

  QGroupBox* separator = named(mirror_.group_box(f.VarSeparatorBox, page), "VarSeparatorBox");
  auto* sep = new QVBoxLayout(separator);
  sep->addWidget(named(mirror_.radio(f.SeparateWithTabs, separator), "SeparateWithTabs"));
  sep->addWidget(named(mirror_.radio(f.SeparateWithSpaces, separator), "SeparateWithSpaces"));
  sep->addWidget(named(mirror_.radio(f.SeparateWithCommas, separator), "SeparateWithCommas"));
  layout->addWidget(separator);

  QGroupBox* commands = named(mirror_.group_box(f.StatOutputBox, page), "StatOutputBox");
  auto* cmd = new QVBoxLayout(commands);
  cmd->addWidget(
      named(mirror_.check_box(f.SPSSCommandFileCheckBox, commands), "SPSSCommandFileCheckBox"));
  cmd->addWidget(
      named(mirror_.check_box(f.StataCommandFileCheckBox, commands), "StataCommandFileCheckBox"));
  cmd->addWidget(
      named(mirror_.check_box(f.LIMDEPCommandFileCheckBox, commands), "LIMDEPCommandFileCheckBox"));
  cmd->addWidget(
      named(mirror_.check_box(f.StataDataFileCheckBox, commands), "StataDataFileCheckBox"));
  cmd->addWidget(
      named(mirror_.check_box(f.SPSSDataFileCheckBox, commands), "SPSSDataFileCheckBox"));
  cmd->addWidget(named(mirror_.check_box(f.CodebookCheckBox, commands), "CodebookCheckBox"));
  layout->addWidget(commands);

  QGroupBox* header = named(mirror_.group_box(f.HeaderBox, page), "HeaderBox");
  auto* head = new QVBoxLayout(header);
  head->addWidget(named(mirror_.check_box(f.Header, header), "Header"));
  head->addWidget(named(mirror_.check_box(f.ProvenanceCheckBox, header), "ProvenanceCheckBox"));
  layout->addWidget(header);
  layout->addStretch();
  return page;
}

QWidget* MainWindow::build_variables_page() {
  TGenerateForm& f = form_;
  auto* page = named(new QWidget, "VarTab");
  variables_layout_ = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(named(mirror_.button(f.SelectAllButton, page), "SelectAllButton"));
  row->addWidget(named(mirror_.button(f.UnselectAllButton, page), "UnselectAllButton"));
  row->addStretch();
  variables_layout_->addLayout(row);
  return page;
}

}  // namespace tandrel::desktop
