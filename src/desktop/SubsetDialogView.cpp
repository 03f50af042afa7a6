#include "desktop/SubsetDialogView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

#include "desktop/ListBoxAdapter.h"
#include "ui/ListDialogs.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

bool is_move_button(const std::string& id) {
  return id == "IncludeBtn" || id == "IncAllBtn" || id == "ExcludeBtn" || id == "ExAllBtn";
}

const char* accessible_name(const std::string& id) {
  if (id == "IncludeBtn") return "Add the selected items";
  if (id == "IncAllBtn") return "Add every item";
  if (id == "ExcludeBtn") return "Remove the selected items";
  if (id == "ExAllBtn") return "Remove every item";
  return nullptr;
}

// The model's control behind a button id.
const Control& control_of(const TGenericListDlg& model, const std::string& id) {
  const std::pair<const char*, const Control*> controls[] = {{"IncludeBtn", &model.IncludeBtn},
                                                             {"IncAllBtn", &model.IncAllBtn},
                                                             {"ExcludeBtn", &model.ExcludeBtn},
                                                             {"ExAllBtn", &model.ExAllBtn},
                                                             {"Ok", &model.Ok},
                                                             {"Cancel", &model.Cancel},
                                                             {"Help", &model.Help}};
  for (const auto& [name, control] : controls)
    if (id == name) return *control;
  return model.Help;
}

}  // namespace

SubsetDialogView::SubsetDialogView(TGenericListDlg& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("SubsetDialog"));
  setModal(true);
  filter_edit_ = new QLineEdit(this);
  filter_edit_->setObjectName(QStringLiteral("FilterEdit"));
  filter_edit_->setPlaceholderText(QStringLiteral("Filter"));
  filter_edit_->setClearButtonEnabled(true);
  filter_edit_->setAccessibleName(QStringLiteral("Filter the available items"));
  filter_ = new QSortFilterProxyModel(this);
  filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  source_ = make_list(model.SrcList, "SrcList", filter_);
  chosen_ = make_list(model.DstList, "DstList", nullptr);
  connect(filter_edit_, &QLineEdit::textChanged, this, &SubsetDialogView::filter_changed);
  connect(source_, &QListView::doubleClicked, this, [this] { press("IncludeBtn"); });
  connect(chosen_, &QListView::doubleClicked, this, [this] { press("ExcludeBtn"); });
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("CountLabel"));

  auto* source_label = new QLabel(q(model.SrcLabel.caption), this);
  source_label->setBuddy(source_);
  auto* chosen_label = new QLabel(q(model.DstLabel.caption), this);
  chosen_label->setBuddy(chosen_);
  auto* grid = new QGridLayout;
  grid->addWidget(source_label, 0, 0);
  grid->addWidget(chosen_label, 0, 2);
  grid->addWidget(filter_edit_, 1, 0);
  grid->addWidget(count_, 1, 2);
  grid->addWidget(source_, 2, 0);
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (const char* id : {"IncludeBtn", "IncAllBtn", "ExcludeBtn", "ExAllBtn"})
    moves->addWidget(add_button(id, control_of(model, id).caption));
  moves->addStretch();
  grid->addLayout(moves, 2, 1);
  grid->addWidget(chosen_, 2, 2);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (const char* id : {"Ok", "Cancel", "Help"})
    row->addWidget(add_button(id, control_of(model, id).caption));
  row->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(row);
  changed_ = model.changed.connect([this] { refresh(); });
  refresh();
}

SubsetDialogView::~SubsetDialogView() = default;

QListView* SubsetDialogView::make_list(ListBoxModel& list, const char* name,
                                       QSortFilterProxyModel* filter) {
  auto* adapter = new ListBoxAdapter(list, this);
  auto* view = new QListView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->setAccessibleName(QString::fromLatin1(name) == QLatin1String("SrcList")
                              ? QStringLiteral("Available items")
                              : QStringLiteral("Items selected for output"));
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setUniformItemSizes(true);
  view->setMinimumSize(280, 200);
  if (filter != nullptr) {
    filter->setSourceModel(adapter);
    view->setModel(filter);
  } else {
    view->setModel(adapter);
  }
  syncs_.push_back(std::make_unique<ListSelectionSync>(
      *adapter, *view->selectionModel(), [this, &list](int first, int last, bool selected) {
        model_.SelectItems(list, first, last, selected);
      }));
  return view;
}

QPushButton* SubsetDialogView::add_button(const std::string& id, const std::string& caption) {
  auto* button = new QPushButton(q(caption), this);
  button->setObjectName(q(id));
  button->setAutoDefault(false);
  if (id == "Ok") button->setDefault(true);
  if (is_move_button(id))
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral(">>")) + 24);
  if (const char* name = accessible_name(id)) button->setAccessibleName(QString::fromLatin1(name));
  connect(button, &QPushButton::clicked, this, [this, id] { press(id); });
  buttons_.push_back({id, button});
  return button;
}

void SubsetDialogView::press(const std::string& id) {
  model_.press(id);
}

void SubsetDialogView::filter_changed(const QString& text) {
  filter_->setFilterFixedString(text);
  deselect_hidden();
  refresh();
}

void SubsetDialogView::deselect_hidden() {
  ListBoxModel& list = model_.SrcList;
  if (filter_edit_->text().isEmpty()) return;
  for (int row = 0; row < list.count(); ++row) {
    if (!list.selected(row)) continue;
    const QModelIndex shown = filter_->mapFromSource(filter_->sourceModel()->index(row, 0));
    if (!shown.isValid()) list.set_selected(row, false);
  }
}

QString SubsetDialogView::count_text() const {
  const int chosen = model_.DstList.count();
  return QStringLiteral("%1 of %2 selected").arg(chosen).arg(chosen + model_.SrcList.count());
}

void SubsetDialogView::refresh() {
  setWindowTitle(q(model_.Caption));
  deselect_hidden();
  count_->setText(count_text());
  for (const auto& [id, button] : buttons_) {
    const Control& control = control_of(model_, id);
    button->setEnabled(control.enabled);
    button->setVisible(control.visible);
  }
  if (!model_.is_showing() && isVisible()) done(QDialog::Accepted);
}

void SubsetDialogView::reject() {
  press("Cancel");
}

}  // namespace tandrel::desktop
