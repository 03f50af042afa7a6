#include "desktop/RunGate.h"

#include <QEvent>
#include <QWidget>

#include "desktop/ProgressView.h"

namespace tandrel::desktop {

namespace {

bool is_input(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

bool inside_progress_window(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
    if (dynamic_cast<const ProgressView*>(w) != nullptr) return true;
  return false;
}

}  // namespace

RunGate::RunGate(QWidget* held, std::function<bool()> running)
    : QObject(held), held_(held), running_(std::move(running)) {}

bool RunGate::holds(QObject* target, const QEvent* event) const {
  if (!is_input(event->type()) || !running_()) return false;
  const auto* widget = qobject_cast<const QWidget*>(target);
  // A shortcut goes to its action, which belongs to the main window's menus.
  if (widget == nullptr) return event->type() == QEvent::Shortcut;
  if (inside_progress_window(widget)) return false;
  return widget->window() == held_;
}

bool RunGate::eventFilter(QObject* target, QEvent* event) {
  if (holds(target, event)) {
    event->accept();
    return true;
  }
  return QObject::eventFilter(target, event);
}

}  // namespace tandrel::desktop
