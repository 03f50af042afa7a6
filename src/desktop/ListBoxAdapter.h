#pragma once

// A list box model seen by Qt's item views: rows come and go as the model
// announces them (never a clear and refill for a move), so a view keeps its
// scroll position and current item; the selection follows the model's, and
// a user's selection reaches the model one range at a time.

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <functional>

#include "process/Signal.h"

namespace tandrel {
class ListBoxModel;
}

namespace tandrel::desktop {

class ListBoxAdapter : public QAbstractListModel {
 public:
  explicit ListBoxAdapter(ListBoxModel& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  ListBoxModel& list() const { return list_; }
  // Between the model's "before" and "after" announcements of a change of
  // rows: a selection model's reaction to it is no user's choice.
  bool changing() const { return changing_; }

 private:
  ListBoxModel& list_;
  bool changing_ = false;
  Connection connections_[6];
};

// Keeps a view's selection model (over the adapter, or over a filter proxy
// in front of it) and the list model's selection equal. What the user
// selects goes to `to_model` as (first, last, selected) source rows, one
// call per range; what the model selects is shown without coming back.
class ListSelectionSync {
 public:
  using ToModel = std::function<void(int first, int last, bool selected)>;

  ListSelectionSync(ListBoxAdapter& adapter, QItemSelectionModel& selection, ToModel to_model);
  ~ListSelectionSync();
  ListSelectionSync(const ListSelectionSync&) = delete;
  ListSelectionSync& operator=(const ListSelectionSync&) = delete;

  // Shows the model's selection of rows first..last (source rows).
  void show_rows(int first, int last);
  // Shows the model's whole selection.
  void show_all();

 private:
  void user_changed(const QItemSelection& selected, const QItemSelection& deselected);
  void send(const QItemSelection& selection, bool value);
  QModelIndex view_index(int source_row) const;
  int source_row(const QModelIndex& index) const;

  ListBoxAdapter& adapter_;
  QItemSelectionModel& selection_;
  ToModel to_model_;
  bool showing_ = false;  // the change comes from the model
  Connection connections_[2];
  QMetaObject::Connection qt_connection_;
};

}  // namespace tandrel::desktop
