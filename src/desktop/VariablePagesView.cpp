#include "desktop/VariablePagesView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/ControlMirror.h"
#include "ui/GenerateForm.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

VariablePagesView::VariablePagesView(TGenerateForm& form, ControlMirror& mirror, QWidget* parent)
    : QWidget(parent), form_(form), mirror_(mirror) {
  setObjectName(QStringLiteral("VarTabs"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("VarTabsPages"));
  // Many pages wrap into rows of tabs rather than scroll out of sight.
  pages_->setUsesScrollButtons(true);
  layout->addWidget(pages_);
  boxes_.assign(form.VarCheckBoxes.size(), nullptr);
  for (std::size_t p = 0; p < form.VarPages.size(); ++p) {
    const VarPageFrame& frame = form.VarPages[p];
    const int page = static_cast<int>(p);
    QWidget* content = nullptr;
    QTabWidget* sub = nullptr;
    if (frame.sub_sheets.empty()) {
      content = build_panel(page, -1);
    } else {
      sub = new QTabWidget;
      sub->setObjectName(q(frame.sub_page_control));
      for (std::size_t n = 0; n < frame.sub_sheets.size(); ++n)
        sub->addTab(build_panel(page, static_cast<int>(n)), QString::number(n + 1));
      connect(sub, &QTabWidget::currentChanged, this, [this](int n) {
        if (!refreshing_) mirror_.act([this, n] { form_.SetActiveSubTab(n); });
      });
      content = sub;
    }
    content->setObjectName(q(frame.name));
    pages_->addTab(content, q(frame.caption));
    pages_->setTabVisible(page, frame.has_tab);
    sub_pages_.push_back(sub);
  }
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
    if (!refreshing_) mirror_.act([this, page] { form_.SetActiveVarPage(page); });
  });
  refresh();
}

// The boxes stand in the model's columns and rows; the grid sizes them by
// their captions in the desktop's font, so none overlaps or is cut.
QWidget* VariablePagesView::build_panel(int page, int sub_tab) {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(2);
  int columns = 0;
  int rows = 0;
  for (std::size_t k = 0; k < form_.VarBoxPlaces.size(); ++k) {
    const VarBoxPlace& place = form_.VarBoxPlaces[k];
    if (place.page != page || place.sub_tab != sub_tab) continue;
    auto* box = new QCheckBox(q(place.bounds.caption), panel);
    box->setObjectName(q(place.name));
    box->setAccessibleName(q(place.bounds.caption));
    box->setAccessibleDescription(q(place.hint));
    grid->addWidget(box, place.row, place.column, Qt::AlignLeft | Qt::AlignTop);
    columns = std::max(columns, place.column + 1);
    rows = std::max(rows, place.row + 1);
    connect(box, &QCheckBox::clicked, this,
            [this, k] { mirror_.act([this, k] { form_.VarBoxClick(k); }); });
    boxes_[k] = box;
  }
  // Spare room goes to the right and the bottom, not between the boxes.
  grid->setColumnStretch(columns, 1);
  grid->setRowStretch(rows, 1);
  auto* scroll = new QScrollArea;
  scroll->setWidget(panel);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  return scroll;
}

void VariablePagesView::refresh() {
  refreshing_ = true;
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    QCheckBox* box = boxes_[k];
    if (box == nullptr) continue;
    const QSignalBlocker block(box);
    box->setChecked(form_.VarCheckBoxes[k].checked);
    box->setEnabled(form_.VarCheckBoxes[k].enabled);
    QString tip = q(form_.VarBoxPlaces[k].hint);
    if (const std::string why = form_.VarBoxShutReason(k); !why.empty())
      tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + q(why);
    box->setToolTip(tip);
  }
  if (pages_->currentIndex() != form_.VarTabs.active_page)
    pages_->setCurrentIndex(form_.VarTabs.active_page);
  for (std::size_t p = 0; p < sub_pages_.size(); ++p)
    if (QTabWidget* sub = sub_pages_[p];
        sub != nullptr && sub->currentIndex() != form_.VarPages[p].active_sub_tab)
      sub->setCurrentIndex(form_.VarPages[p].active_sub_tab);
  setEnabled(form_.VarTabs.enabled);
  refreshing_ = false;
}

}  // namespace tandrel::desktop
