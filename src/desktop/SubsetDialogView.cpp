#include "desktop/SubsetDialogView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/ListDialogs.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

void fill(QListWidget* widget, const ListBoxModel& list) {
  const QSignalBlocker block(widget);
  widget->clear();
  for (int i = 0; i < list.count(); ++i) {
    auto* item = new QListWidgetItem(q(list.item(i).text), widget);
    item->setSelected(list.selected(i));
  }
}

}  // namespace

SubsetDialogView::SubsetDialogView(TGenericListDlg& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("SubsetDialog"));
  setModal(true);
  source_ = new QListWidget(this);
  source_->setObjectName(QStringLiteral("SrcList"));
  chosen_ = new QListWidget(this);
  chosen_->setObjectName(QStringLiteral("DstList"));
  for (QListWidget* list : {source_, chosen_}) {
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumSize(280, 200);
  }
  connect(source_, &QListWidget::itemSelectionChanged, this,
          [this] { selection_to_model(source_, model_.SrcList); });
  connect(chosen_, &QListWidget::itemSelectionChanged, this,
          [this] { selection_to_model(chosen_, model_.DstList); });
  connect(source_, &QListWidget::itemDoubleClicked, this, [this] { press("IncludeBtn"); });
  connect(chosen_, &QListWidget::itemDoubleClicked, this, [this] { press("ExcludeBtn"); });

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(q(model.SrcLabel.caption), this), 0, 0);
  grid->addWidget(new QLabel(q(model.DstLabel.caption), this), 0, 2);
  grid->addWidget(source_, 1, 0);
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  moves->addWidget(add_button("IncludeBtn", model.IncludeBtn.caption));
  moves->addWidget(add_button("IncAllBtn", model.IncAllBtn.caption));
  moves->addWidget(add_button("ExcludeBtn", model.ExcludeBtn.caption));
  moves->addWidget(add_button("ExAllBtn", model.ExAllBtn.caption));
  moves->addStretch();
  grid->addLayout(moves, 1, 1);
  grid->addWidget(chosen_, 1, 2);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(add_button("Ok", model.Ok.caption));
  row->addWidget(add_button("Cancel", model.Cancel.caption));
  row->addWidget(add_button("Help", model.Help.caption));
  row->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(row);
  changed_ = model.changed.connect([this] { refresh(); });
  refresh();
}

QPushButton* SubsetDialogView::add_button(const std::string& id, const std::string& caption) {
  auto* button = new QPushButton(q(caption), this);
  button->setObjectName(q(id));
  button->setAutoDefault(false);
  if (id == "IncludeBtn" || id == "IncAllBtn" || id == "ExcludeBtn" || id == "ExAllBtn")
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral(">>")) + 24);
  connect(button, &QPushButton::clicked, this, [this, id] { press(id); });
  buttons_.push_back({id, button});
  return button;
}

void SubsetDialogView::press(const std::string& id) {
  model_.press(id);
}

void SubsetDialogView::selection_to_model(QListWidget* widget, ListBoxModel& list) {
  if (refreshing_) return;
  // Each item whose selection the user changed goes to the model as a click.
  for (int i = 0; i < widget->count() && i < list.count(); ++i)
    if (const bool selected = widget->item(i)->isSelected(); selected != list.selected(i))
      model_.SelectItem(list, i, selected);
}

void SubsetDialogView::refresh() {
  refreshing_ = true;
  setWindowTitle(q(model_.Caption));
  fill(source_, model_.SrcList);
  fill(chosen_, model_.DstList);
  const Control* controls[] = {&model_.IncludeBtn, &model_.IncAllBtn, &model_.ExcludeBtn,
                               &model_.ExAllBtn,   &model_.Ok,        &model_.Cancel,
                               &model_.Help};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i].second->setEnabled(controls[i]->enabled);
    buttons_[i].second->setVisible(controls[i]->visible);
  }
  refreshing_ = false;
  if (!model_.is_showing() && isVisible()) done(QDialog::Accepted);
}

void SubsetDialogView::reject() {
  press("Cancel");
}

}  // namespace tandrel::desktop
