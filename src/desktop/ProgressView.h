#pragma once

// A progress window (TProgressForm) inside the main window, at the place
// the trace's placement rule gives it: caption, step, bar, time left,
// percentage, Stop Execution and Pause. It follows the model's signals and
// goes when the model is destroyed.

#include <QFrame>
#include <QRect>

#include "process/Signal.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tandrel {
class TProgressForm;
}

namespace tandrel::desktop {

class ProgressView : public QFrame {
 public:
  ProgressView(TProgressForm& model, QWidget* parent);

  void refresh();
  void follow_visibility();
  void place();

 private:
  void schedule_refresh();

  TProgressForm* model_;
  QLabel* caption_;
  QLabel* step_;
  QProgressBar* bar_;
  QLabel* time_left_;
  QLabel* percent_;
  QPushButton* stop_;
  QPushButton* pause_;
  QRect placed_;  // the model's bounds when last placed
  bool refresh_pending_ = false;
  Connection shown_, hidden_, changed_, destroyed_;
};

}  // namespace tandrel::desktop
