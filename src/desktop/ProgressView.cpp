#include "desktop/ProgressView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "diagnostics/HandlerGuard.h"
#include "diagnostics/ProgressForm.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

ProgressView::ProgressView(TProgressForm& model, QWidget* parent) : QFrame(parent), model_(&model) {
  setObjectName(QStringLiteral("ProgressForm"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("Caption"));
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  step_ = new QLabel(this);
  step_->setObjectName(QStringLiteral("ProcedureLabel"));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar"));
  bar_->setTextVisible(false);
  time_left_ = new QLabel(this);
  time_left_->setObjectName(QStringLiteral("TimeRemainingLabel"));
  percent_ = new QLabel(this);
  percent_->setObjectName(QStringLiteral("PctLeftLabel"));
  stop_ = new QPushButton(q(model.StopExecution.caption), this);
  stop_->setObjectName(QStringLiteral("StopExecution"));
  pause_ = new QPushButton(q(model.PauseButton.caption), this);
  pause_->setObjectName(QStringLiteral("PauseButton"));
  for (QPushButton* b : {stop_, pause_}) b->setAutoDefault(false);
  // The buttons are pressed while the run pumps messages; the handlers
  // open the interrupt dialog or hold the run in a message box.
  connect(stop_, &QPushButton::clicked, this, [this] {
    if (model_ != nullptr) run_guarded([m = model_] { m->StopExecutionClick(); });
  });
  connect(pause_, &QPushButton::clicked, this, [this] {
    if (model_ != nullptr) run_guarded([m = model_] { m->pausebuttonClick(); });
  });
  layout->addWidget(caption_);
  layout->addWidget(step_);
  layout->addWidget(bar_);
  auto* row = new QHBoxLayout;
  row->addWidget(time_left_, 1);
  row->addWidget(percent_);
  layout->addLayout(row);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(stop_);
  buttons->addWidget(pause_);
  buttons->addStretch();
  layout->addLayout(buttons);

  shown_ = model.shown.connect([this] { follow_visibility(); });
  hidden_ = model.hidden.connect([this] { follow_visibility(); });
  // A run ticks far more often than the screen can show; the widgets are
  // updated once per served batch of events, which is when they can paint.
  changed_ = model.changed.connect([this] { schedule_refresh(); });
  destroyed_ = model.destroyed.connect([this] {
    model_ = nullptr;
    hide();
    deleteLater();
  });
  refresh();
  follow_visibility();
}

void ProgressView::refresh() {
  if (model_ == nullptr) return;
  const TProgressForm& m = *model_;
  caption_->setText(q(m.Caption));
  step_->setText(q(m.ProcedureLabel.caption));
  bar_->setRange(m.ProgressBar.Min, m.ProgressBar.Max);
  bar_->setValue(std::clamp(m.ProgressBar.Position, m.ProgressBar.Min, m.ProgressBar.Max));
  time_left_->setText(q(m.TimeRemainingLabel.caption));
  percent_->setText(q(m.PctLeftLabel.caption));
  stop_->setEnabled(m.StopExecution.enabled);
  stop_->setVisible(m.StopExecution.visible);
  pause_->setEnabled(m.PauseButton.enabled);
  pause_->setVisible(m.PauseButton.visible);
  setEnabled(m.enabled);
  // A longer text than the window holds widens the window. The nested rows
  // keep their old size hints until told.
  for (QLayout* row : findChildren<QLayout*>()) row->invalidate();
  if (m.Left != placed_.x() || m.Top != placed_.y() || m.Width != placed_.width() ||
      m.Height != placed_.height() || width() < sizeHint().width())
    place();
}

void ProgressView::schedule_refresh() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        refresh_pending_ = false;
        refresh();
      },
      Qt::QueuedConnection);
}

void ProgressView::place() {
  if (model_ == nullptr) return;
  // The model's size, or what the desktop's font needs.
  placed_ = QRect(model_->Left, model_->Top, model_->Width, model_->Height);
  const QSize size = placed_.size().expandedTo(sizeHint());
  // A larger font makes the window larger than the model's: it moves back
  // inside the main window rather than lose its right or bottom edge.
  QPoint at(model_->Left, model_->Top);
  if (const QWidget* frame = parentWidget()) {
    at.setX(std::max(0, std::min(at.x(), frame->width() - size.width())));
    at.setY(std::max(0, std::min(at.y(), frame->height() - size.height())));
  }
  setGeometry(at.x(), at.y(), size.width(), size.height());
  // The labels take their new room now, not at the next served batch.
  if (layout() != nullptr) layout()->activate();
}

void ProgressView::follow_visibility() {
  if (model_ == nullptr) return;
  if (model_->visible) {
    refresh();
    place();
    show();
    raise();
  } else {
    hide();
  }
}

}  // namespace tandrel::desktop
