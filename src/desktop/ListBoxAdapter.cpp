#include "desktop/ListBoxAdapter.h"

#include <QAbstractProxyModel>
#include <algorithm>
#include <vector>

#include "ui/ListDialogs.h"

namespace tandrel::desktop {

ListBoxAdapter::ListBoxAdapter(ListBoxModel& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {
  connections_[0] = list.rows_about_to_be_inserted.connect([this](int first, int last) {
    changing_ = true;
    beginInsertRows(QModelIndex(), first, last);
  });
  connections_[1] = list.rows_inserted.connect([this] {
    endInsertRows();
    changing_ = false;
  });
  connections_[2] = list.rows_about_to_be_removed.connect([this](int first, int last) {
    changing_ = true;
    beginRemoveRows(QModelIndex(), first, last);
  });
  connections_[3] = list.rows_removed.connect([this] {
    endRemoveRows();
    changing_ = false;
  });
  connections_[4] = list.about_to_reset.connect([this] {
    changing_ = true;
    beginResetModel();
  });
  connections_[5] = list.reset.connect([this] {
    endResetModel();
    changing_ = false;
  });
}

int ListBoxAdapter::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.count();
}

QVariant ListBoxAdapter::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.count()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
    return QString::fromStdString(list_.item(index.row()).text);
  return {};
}

ListSelectionSync::ListSelectionSync(ListBoxAdapter& adapter, QItemSelectionModel& selection,
                                     ToModel to_model)
    : adapter_(adapter), selection_(selection), to_model_(std::move(to_model)) {
  ListBoxModel& list = adapter.list();
  connections_[0] =
      list.selection_changed.connect([this](int first, int last) { show_rows(first, last); });
  // After a replacement the adapter's rows are new; a move needs nothing,
  // since rows arrive unselected and leave with their selection.
  connections_[1] = list.reset.connect([this] { show_all(); });
  qt_connection_ =
      QObject::connect(&selection, &QItemSelectionModel::selectionChanged,
                       [this](const QItemSelection& selected, const QItemSelection& deselected) {
                         user_changed(selected, deselected);
                       });
  show_all();
}

ListSelectionSync::~ListSelectionSync() {
  QObject::disconnect(qt_connection_);
}

QModelIndex ListSelectionSync::view_index(int source_row) const {
  const QModelIndex index = adapter_.index(source_row, 0);
  if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(selection_.model()))
    return proxy->mapFromSource(index);
  return index;
}

int ListSelectionSync::source_row(const QModelIndex& index) const {
  if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(selection_.model()))
    return proxy->mapToSource(index).row();
  return index.row();
}

void ListSelectionSync::show_rows(int first, int last) {
  const ListBoxModel& list = adapter_.list();
  QItemSelection select;
  QItemSelection deselect;
  for (int row = first; row <= last && row < list.count(); ++row) {
    const QModelIndex index = view_index(row);
    if (!index.isValid()) continue;  // filtered out of the view
    (list.selected(row) ? select : deselect).select(index, index);
  }
  showing_ = true;
  selection_.select(deselect, QItemSelectionModel::Deselect);
  selection_.select(select, QItemSelectionModel::Select);
  showing_ = false;
}

void ListSelectionSync::show_all() {
  show_rows(0, adapter_.list().count() - 1);
}

void ListSelectionSync::user_changed(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
  if (showing_ || adapter_.changing()) return;
  send(deselected, false);
  send(selected, true);
}

// A view's range can map to scattered source rows behind a filter; each run
// of neighbouring source rows goes to the model as one change.
void ListSelectionSync::send(const QItemSelection& selection, bool value) {
  std::vector<int> rows;
  for (const QModelIndex& index : selection.indexes()) rows.push_back(source_row(index));
  std::sort(rows.begin(), rows.end());
  std::size_t i = 0;
  while (i < rows.size()) {
    std::size_t j = i;
    while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
    if (rows[i] >= 0) to_model_(rows[i], rows[j], value);
    i = j + 1;
  }
}

}  // namespace tandrel::desktop
