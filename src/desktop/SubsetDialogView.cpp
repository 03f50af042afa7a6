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
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("CountLabel"));

  // The available side in the first column, the chosen side in the last,
  // the move buttons between them and every other button in the row below.
  auto* grid = new QGridLayout;
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (const RegisteredControl& entry : model.controls().entries()) {
    // The model names the controls of the chosen side "Dst…".
    const bool chosen_side = entry.id.rfind("Dst", 0) == 0;
    const int column = chosen_side ? 2 : 0;
    switch (entry.kind) {
      case ControlKind::Label:
        labels_.push_back({entry.id, make_label(entry)});
        grid->addWidget(labels_.back().second, 0, column);
        break;
      case ControlKind::List: {
        auto& list = static_cast<ListBoxModel&>(*entry.control);
        QListView* view = make_list(list, entry.id, chosen_side ? nullptr : filter_);
        (chosen_side ? chosen_ : source_) = view;
        grid->addWidget(view, 2, column);
        break;
      }
      case ControlKind::Button: {
        QPushButton* button = add_button(entry);
        if (is_move_button(entry.id))
          moves->addWidget(button);
        else
          row->addWidget(button);
        break;
      }
      default:
        break;
    }
  }
  moves->addStretch();
  row->addStretch();
  grid->addWidget(filter_edit_, 1, 0);
  grid->addWidget(count_, 1, 2);
  grid->addLayout(moves, 2, 1);
  for (auto& [id, label] : labels_) label->setBuddy(id.rfind("Dst", 0) == 0 ? chosen_ : source_);
  connect(filter_edit_, &QLineEdit::textChanged, this, &SubsetDialogView::filter_changed);
  connect(source_, &QListView::doubleClicked, this, [this] { press("IncludeBtn"); });
  connect(chosen_, &QListView::doubleClicked, this, [this] { press("ExcludeBtn"); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(row);
  changed_ = model.changed.connect([this] { refresh(); });
  refresh();
}

SubsetDialogView::~SubsetDialogView() = default;

QLabel* SubsetDialogView::make_label(const RegisteredControl& entry) {
  auto* label = new QLabel(q(entry.control->caption), this);
  label->setObjectName(q(entry.id));
  return label;
}

QListView* SubsetDialogView::make_list(ListBoxModel& list, const std::string& name,
                                       QSortFilterProxyModel* filter) {
  auto* adapter = new ListBoxAdapter(list, this);
  auto* view = new QListView(this);
  view->setObjectName(q(name));
  view->setAccessibleName(filter != nullptr ? QStringLiteral("Available items")
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

QPushButton* SubsetDialogView::add_button(const RegisteredControl& entry) {
  const std::string& id = entry.id;
  auto* button = new QPushButton(q(entry.control->caption), this);
  button->setObjectName(q(id));
  button->setAutoDefault(false);
  if (id == "Ok") button->setDefault(true);
  if (is_move_button(id))
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral(">>")) + 24);
  if (const char* name = accessible_name(id)) button->setAccessibleName(QString::fromLatin1(name));
  connect(button, &QPushButton::clicked, this, [this, id] { press(id); });
  buttons_.push_back({entry.control, button});
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
  for (const auto& [control, button] : buttons_) {
    button->setEnabled(control->enabled);
    button->setVisible(control->visible);
  }
  if (!model_.is_showing() && isVisible()) done(QDialog::Accepted);
}

void SubsetDialogView::reject() {
  press("Cancel");
}

}  // namespace tandrel::desktop
