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
  QGroupBox* box = named(mirror_.group_box(f.PhysicalAggregationGroupBox, nullptr, 'P'),
                         "PhysicalAggregationGroupBox");
  auto* grid = new QGridLayout(box);
  QRadioButton* units[] = {named(mirror_.radio(f.PhysGrpButton, box), "PhysGrpButton"),
                           named(mirror_.radio(f.PhysStateButton, box), "PhysStateButton"),
                           named(mirror_.radio(f.PhysRegionButton, box), "PhysRegionButton"),
                           named(mirror_.radio(f.PhysDiasporaButton, box), "PhysDiasporaButton"),
                           named(mirror_.radio(f.PhysGlobeButton, box), "PhysGlobeButton")};
  for (int i = 0; i < 5; ++i) grid->addWidget(units[i], i, 0);
  mirror_.exclusive({units[0], units[1], units[2], units[3], units[4]});
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
    QRadioButton* all = named(mirror_.choice(row.all, box), row.all_name);
    QRadioButton* subset = named(mirror_.choice(row.subset, box), row.subset_name);
    mirror_.exclusive({all, subset});
    grid->addWidget(all, r, 1);
    grid->addWidget(subset, r, 2);
    grid->addWidget(named(mirror_.button(row.button, box), row.button_name), r, 3);
    ++r;
  }
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget* MainWindow::build_nonkiv_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.ControlGroupBox, nullptr, 'N'), "ControlGroupBox");
  auto* layout = new QVBoxLayout(box);
  QCheckBox* include = named(mirror_.check_box(f.NonKivGroupCheckBox, box), "NonKivGroupCheckBox");
  layout->addWidget(include);
  auto* row = new QHBoxLayout;
  row->addSpacing(20);
  QRadioButton* all =
      named(mirror_.choice(f.NonKivGroupAllCheckBox, box), "NonKivGroupAllCheckBox");
  QRadioButton* subset =
      named(mirror_.choice(f.NonKivGroupSubsetCheckBox, box), "NonKivGroupSubsetCheckBox");
  mirror_.exclusive({all, subset});
  row->addWidget(all);
  row->addWidget(subset, 1);
  row->addWidget(named(mirror_.button(f.NonKivSubsetButton, box), "NonKivSubsetButton"));
  layout->addLayout(row);
  return box;
}

QWidget* MainWindow::build_period_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.TemporalAggregationGroupBox, nullptr, 'T'),
                         "TemporalAggregationGroupBox");
  auto* layout = new QVBoxLayout(box);
  QRadioButton* periods[] = {named(mirror_.radio(f.TimeAnnualButton, box), "TimeAnnualButton"),
                             named(mirror_.radio(f.Time2yrButton, box), "Time2yrButton"),
                             named(mirror_.radio(f.Time5yrButton, box), "Time5yrButton"),
                             named(mirror_.radio(f.Time10yrButton, box), "Time10yrButton")};
  for (QRadioButton* period : periods) layout->addWidget(period);
  mirror_.exclusive({periods[0], periods[1], periods[2], periods[3]});
  layout->addStretch();
  return box;
}

QWidget* MainWindow::build_interpolation_box() {
  TGenerateForm& f = form_;
  QGroupBox* box =
      named(mirror_.group_box(f.InterpolateGroupBox, nullptr, 'I'), "InterpolateGroupBox");
  auto* grid = new QGridLayout(box);
  QRadioButton* yes = named(mirror_.radio(f.InterpolateYesButton, box), "InterpolateYesButton");
  QRadioButton* no = named(mirror_.radio(f.InterpolateNoButton, box), "InterpolateNoButton");
  QRadioButton* linear = named(mirror_.choice(f.LinearInterpCheckBox, box), "LinearInterpCheckBox");
  QRadioButton* carry =
      named(mirror_.choice(f.CarryforwardInterpCheckBox, box), "CarryforwardInterpCheckBox");
  mirror_.exclusive({yes, no});
  mirror_.exclusive({linear, carry});
  grid->addWidget(yes, 0, 0, 1, 2);
  grid->addWidget(linear, 1, 1);
  grid->addWidget(carry, 2, 1);
  grid->addWidget(no, 3, 0, 1, 2);
  grid->addWidget(named(mirror_.check_box(f.IncludeMissingCheckBox, box), "IncludeMissingCheckBox"),
                  4, 0, 1, 2);
  grid->setColumnMinimumWidth(0, 20);
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* MainWindow::build_years_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.Years_lst, nullptr, 'Y'), "Years_lst");
  auto* layout = new QHBoxLayout(box);
  QRadioButton* all = named(mirror_.radio(f.All_Yrs, box), "All_Yrs");
  QRadioButton* some = named(mirror_.radio(f.Specified_Yrs, box), "Specified_Yrs");
  mirror_.exclusive({all, some});
  layout->addWidget(all);
  layout->addSpacing(12);
  layout->addWidget(some);
  layout->addWidget(named(mirror_.label(f.FromLabel, box), "FromLabel"));
  QLineEdit* first = named(mirror_.edit(f.SubYear1Edit, box), "SubYear1Edit");
  QLineEdit* last = named(mirror_.edit(f.SubYear2Edit, box), "SubYear2Edit");
  first->setAccessibleName(QStringLiteral("First year"));
  last->setAccessibleName(QStringLiteral("Last year"));
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

  QGroupBox* where = named(mirror_.group_box(f.locationBox, page, 'D'), "locationBox");
  auto* grid = new QGridLayout(where);
  QRadioButton* to_file = named(mirror_.radio(f.ToFileRadioDial, where), "ToFileRadioDial");
  QRadioButton* to_screen = named(mirror_.radio(f.ToScreenRadioDial, where), "ToScreenRadioDial");
  QRadioButton* to_printer =
      named(mirror_.radio(f.ToPrinterRadioDial, where), "ToPrinterRadioDial");
  mirror_.exclusive({to_file, to_screen, to_printer});
  QLineEdit* file = named(mirror_.edit(f.FileDisplay, where), "FileDisplay");
  file->setAccessibleName(QStringLiteral("Output file"));
  grid->addWidget(to_file, 0, 0);
  grid->addWidget(file, 0, 1);
  grid->addWidget(named(mirror_.button(f.FileChangeButton, where), "FileChangeButton"), 1, 1,
                  Qt::AlignLeft);
  grid->addWidget(to_screen, 2, 0);
  grid->addWidget(to_printer, 3, 0);
  grid->addWidget(named(mirror_.button(f.PrintSetupButton, where), "PrintSetupButton"), 3, 1,
                  Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  layout->addWidget(where);

  QGroupBox* separator = named(mirror_.group_box(f.VarSeparatorBox, page, 'S'), "VarSeparatorBox");
  auto* sep = new QVBoxLayout(separator);
  QRadioButton* separators[] = {
      named(mirror_.radio(f.SeparateWithTabs, separator), "SeparateWithTabs"),
      named(mirror_.radio(f.SeparateWithSpaces, separator), "SeparateWithSpaces"),
      named(mirror_.radio(f.SeparateWithCommas, separator), "SeparateWithCommas")};
  for (QRadioButton* button : separators) sep->addWidget(button);
  mirror_.exclusive({separators[0], separators[1], separators[2]});
  layout->addWidget(separator);

  QGroupBox* commands = named(mirror_.group_box(f.StatOutputBox, page, 'R'), "StatOutputBox");
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

  QGroupBox* header = named(mirror_.group_box(f.HeaderBox, page, 'I'), "HeaderBox");
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
