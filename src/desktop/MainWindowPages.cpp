// The pages of the main window: main settings, output options and the frame
// of the variable pages. Layouts let every group box grow with its captions
// in the desktop's font. Each control's widget comes from the form's
// registry by its id; the layouts only say where it stands.
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
#include "desktop/RegisteredWidgets.h"
#include "ui/GenerateForm.h"

namespace tandrel::desktop {

namespace {

template <class W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

void MainWindow::place_other_controls(QWidget* page) {
  // A control registered on the pages that no layout above places still
  // gets its widget, at the foot of the first page.
  auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
  for (QWidget* widget : widgets_.take_rest(page))
    layout->insertWidget(layout->count() - 1, widget);
}

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
  QRadioButton* units[] = {widgets_.take<QRadioButton>("PhysGrpButton", box),
                           widgets_.take<QRadioButton>("PhysStateButton", box),
                           widgets_.take<QRadioButton>("PhysRegionButton", box),
                           widgets_.take<QRadioButton>("PhysDiasporaButton", box),
                           widgets_.take<QRadioButton>("PhysGlobeButton", box)};
  for (int i = 0; i < 5; ++i) grid->addWidget(units[i], i, 0);
  mirror_.exclusive({units[0], units[1], units[2], units[3], units[4]});
  // Each unit's either/or of all items or a subset, and the subset's button.
  const char* const rows[][3] = {
      {"AllGrpCheckBox", "SubsetGrpCheckBox", "GroupSubsetButton"},
      {"AllStatesCheckBox", "SubsetStatesCheckBox", "ChangeStateSubsetButton"},
      {"AllRegionCheckBox", "SubsetRegionCheckBox", "ChangeRegionSubsetButton"},
      {"AllDiasporaCheckBox", "DiasporaSubsetCheckBox", "ChangeDiasporaSubsetButton"},
  };
  int r = 0;
  for (const auto& row : rows) {
    auto* all = widgets_.take<QRadioButton>(row[0], box);
    auto* subset = widgets_.take<QRadioButton>(row[1], box);
    mirror_.exclusive({all, subset});
    grid->addWidget(all, r, 1);
    grid->addWidget(subset, r, 2);
    grid->addWidget(widgets_.take<QPushButton>(row[2], box), r, 3);
    ++r;
  }
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget* MainWindow::build_nonkiv_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.ControlGroupBox, nullptr, 'N'), "ControlGroupBox");
  auto* layout = new QVBoxLayout(box);
  QCheckBox* include = widgets_.take<QCheckBox>("NonKivGroupCheckBox", box);
  layout->addWidget(include);
  auto* row = new QHBoxLayout;
  row->addSpacing(20);
  QRadioButton* all = widgets_.take<QRadioButton>("NonKivGroupAllCheckBox", box);
  QRadioButton* subset = widgets_.take<QRadioButton>("NonKivGroupSubsetCheckBox", box);
  mirror_.exclusive({all, subset});
  row->addWidget(all);
  row->addWidget(subset, 1);
  row->addWidget(widgets_.take<QPushButton>("NonKivSubsetButton", box));
  layout->addLayout(row);
  return box;
}

QWidget* MainWindow::build_period_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.TemporalAggregationGroupBox, nullptr, 'T'),
                         "TemporalAggregationGroupBox");
  auto* layout = new QVBoxLayout(box);
  QRadioButton* periods[] = {widgets_.take<QRadioButton>("TimeAnnualButton", box),
                             widgets_.take<QRadioButton>("Time2yrButton", box),
                             widgets_.take<QRadioButton>("Time5yrButton", box),
                             widgets_.take<QRadioButton>("Time10yrButton", box)};
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
  QRadioButton* yes = widgets_.take<QRadioButton>("InterpolateYesButton", box);
  QRadioButton* no = widgets_.take<QRadioButton>("InterpolateNoButton", box);
  QRadioButton* linear = widgets_.take<QRadioButton>("LinearInterpCheckBox", box);
  QRadioButton* carry = widgets_.take<QRadioButton>("CarryforwardInterpCheckBox", box);
  mirror_.exclusive({yes, no});
  mirror_.exclusive({linear, carry});
  grid->addWidget(yes, 0, 0, 1, 2);
  grid->addWidget(linear, 1, 1);
  grid->addWidget(carry, 2, 1);
  grid->addWidget(no, 3, 0, 1, 2);
  grid->addWidget(widgets_.take<QCheckBox>("IncludeMissingCheckBox", box), 4, 0, 1, 2);
  grid->setColumnMinimumWidth(0, 20);
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* MainWindow::build_years_box() {
  TGenerateForm& f = form_;
  QGroupBox* box = named(mirror_.group_box(f.Years_lst, nullptr, 'Y'), "Years_lst");
  auto* layout = new QHBoxLayout(box);
  QRadioButton* all = widgets_.take<QRadioButton>("All_Yrs", box);
  QRadioButton* some = widgets_.take<QRadioButton>("Specified_Yrs", box);
  mirror_.exclusive({all, some});
  layout->addWidget(all);
  layout->addSpacing(12);
  layout->addWidget(some);
  layout->addWidget(named(mirror_.label(f.FromLabel, box), "FromLabel"));
  QLineEdit* first = widgets_.take<QLineEdit>("SubYear1Edit", box);
  QLineEdit* last = widgets_.take<QLineEdit>("SubYear2Edit", box);
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
  QRadioButton* to_file = widgets_.take<QRadioButton>("ToFileRadioDial", where);
  QRadioButton* to_screen = widgets_.take<QRadioButton>("ToScreenRadioDial", where);
  QRadioButton* to_printer = widgets_.take<QRadioButton>("ToPrinterRadioDial", where);
  mirror_.exclusive({to_file, to_screen, to_printer});
  QLineEdit* file = widgets_.take<QLineEdit>("FileDisplay", where);
  file->setAccessibleName(QStringLiteral("Output file"));
  grid->addWidget(to_file, 0, 0);
  grid->addWidget(file, 0, 1);
  grid->addWidget(widgets_.take<QPushButton>("FileChangeButton", where), 1, 1, Qt::AlignLeft);
  grid->addWidget(to_screen, 2, 0);
  grid->addWidget(to_printer, 3, 0);
  grid->addWidget(widgets_.take<QPushButton>("PrintSetupButton", where), 3, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  layout->addWidget(where);

  QGroupBox* separator = named(mirror_.group_box(f.VarSeparatorBox, page, 'S'), "VarSeparatorBox");
  auto* sep = new QVBoxLayout(separator);
  QRadioButton* separators[] = {widgets_.take<QRadioButton>("SeparateWithTabs", separator),
                                widgets_.take<QRadioButton>("SeparateWithSpaces", separator),
                                widgets_.take<QRadioButton>("SeparateWithCommas", separator)};
  for (QRadioButton* button : separators) sep->addWidget(button);
  mirror_.exclusive({separators[0], separators[1], separators[2]});
  layout->addWidget(separator);

  QGroupBox* commands = named(mirror_.group_box(f.StatOutputBox, page, 'R'), "StatOutputBox");
  auto* cmd = new QVBoxLayout(commands);
  cmd->addWidget(widgets_.take<QCheckBox>("SPSSCommandFileCheckBox", commands));
  cmd->addWidget(widgets_.take<QCheckBox>("StataCommandFileCheckBox", commands));
  cmd->addWidget(widgets_.take<QCheckBox>("LIMDEPCommandFileCheckBox", commands));
  cmd->addWidget(widgets_.take<QCheckBox>("StataDataFileCheckBox", commands));
  cmd->addWidget(widgets_.take<QCheckBox>("SPSSDataFileCheckBox", commands));
  cmd->addWidget(widgets_.take<QCheckBox>("CodebookCheckBox", commands));
  layout->addWidget(commands);

  QGroupBox* header = named(mirror_.group_box(f.HeaderBox, page, 'I'), "HeaderBox");
  auto* head = new QVBoxLayout(header);
  head->addWidget(widgets_.take<QCheckBox>("Header", header));
  head->addWidget(widgets_.take<QCheckBox>("ProvenanceCheckBox", header));
  layout->addWidget(header);
  layout->addStretch();
  return page;
}

QWidget* MainWindow::build_variables_page() {
  auto* page = named(new QWidget, "VarTab");
  variables_layout_ = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(widgets_.take<QPushButton>("SelectAllButton", page));
  row->addWidget(widgets_.take<QPushButton>("UnselectAllButton", page));
  row->addStretch();
  variables_layout_->addLayout(row);
  return page;
}

}  // namespace tandrel::desktop
