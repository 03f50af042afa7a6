#pragma once

// The run's hold on the program's input. Go runs on the GUI thread and pumps
// events so that the windows repaint and the progress windows answer; while
// it runs, the gate lets no mouse, key, wheel or shortcut event reach the
// main window, its menus or its shortcuts. So nothing the main window offers
// (About, Help, Trace, Load Settings, Go again) can start a nested event
// loop that would hold the run. The progress windows, and the dialogs the
// run itself opens, get their input as ever.

#include <QObject>
#include <functional>

class QWidget;

namespace tandrel::desktop {

class RunGate : public QObject {
 public:
  // `running` tells whether a run is on; `held` is the main window.
  RunGate(QWidget* held, std::function<bool()> running);

  // True when the gate keeps `event` from `target` now.
  bool holds(QObject* target, const QEvent* event) const;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  QWidget* held_;
  std::function<bool()> running_;
};

}  // namespace tandrel::desktop
