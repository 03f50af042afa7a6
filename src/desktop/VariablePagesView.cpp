#include "desktop/VariablePagesView.h"

#include <QCheckBox>
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

QWidget* VariablePagesView::build_panel(int page, int sub_tab) {
  auto* panel = new QWidget;
  int right = 0;
  int bottom = 0;
  for (std::size_t k = 0; k < form_.VarBoxPlaces.size(); ++k) {
    const VarBoxPlace& place = form_.VarBoxPlaces[k];
    if (place.page != page || place.sub_tab != sub_tab) continue;
    auto* box = new QCheckBox(q(place.bounds.caption), panel);
    box->setObjectName(q(place.name));
    box->setToolTip(q(place.hint));
    // The model's rows assume a small font; a taller one spreads them.
    const int row = std::max(place.bounds.height, box->sizeHint().height());
    const double stretch = static_cast<double>(row) / std::max(1, place.bounds.height);
    const int top = static_cast<int>(place.bounds.top * stretch);
    const int width = std::max(place.bounds.width, box->sizeHint().width());
    box->setGeometry(place.bounds.left, top, width, row);
    right = std::max(right, place.bounds.left + width);
    bottom = std::max(bottom, top + row);
    connect(box, &QCheckBox::clicked, this,
            [this, k] { mirror_.act([this, k] { form_.VarBoxClick(k); }); });
    boxes_[k] = box;
  }
  panel->setMinimumSize(right + 8, bottom + 8);
  auto* scroll = new QScrollArea;
  scroll->setWidget(panel);
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
