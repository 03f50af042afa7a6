#include "desktop/AboutBoxView.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "desktop/LogoPixmap.h"
#include "diagnostics/Trace.h"
#include "process/Globals.h"
#include "ui/AboutBox.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

QLabel* text_label(const Control& control, const std::string& name, QWidget* parent) {
  auto* label = new QLabel(q(control.caption), parent);
  label->setObjectName(q(name));
  label->setTextFormat(Qt::PlainText);
  label->setVisible(control.visible);
  return label;
}

// The web address: blue and underlined, and it tells the model when the
// mouse comes, goes and clicks.
class LinkLabel : public QLabel {
 public:
  LinkLabel(TAboutBox& model, QWidget* parent)
      : QLabel(q(model.WebsiteGoToLabel.caption), parent), model_(model) {
    setObjectName(QStringLiteral("WebsiteGoToLabel"));
    setTextFormat(Qt::PlainText);
    setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
  }

 protected:
  void enterEvent(QEnterEvent* event) override {
    model_.WebsiteGoToLabelMouseEnter();
    QLabel::enterEvent(event);
  }
  void leaveEvent(QEvent* event) override {
    model_.WebsiteGoToLabelMouseLeave();
    QLabel::leaveEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (rect().contains(event->position().toPoint())) model_.WebsiteGoToLabelClick();
    QLabel::mouseReleaseEvent(event);
  }

 private:
  TAboutBox& model_;
};

}  // namespace

AboutBoxView::AboutBoxView(TAboutBox& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(q(model.Caption));
  setModal(true);
  setFixedSize(TAboutBox::ClientWidth, TAboutBox::ClientHeight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(build_panel(), 1);
  auto* ok = new QPushButton(q(model.OKButton.caption), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { press_ok(); });
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  model_.on_cursor = [this](ScreenCursor cursor) { apply_cursor(cursor); };
}

AboutBoxView::~AboutBoxView() {
  model_.on_cursor = nullptr;
  apply_cursor(ScreenCursor::Default);
}

QWidget* AboutBoxView::build_panel() {
  // The bevel: a lowered frame around a raised one.
  auto* outer = new QFrame(this);
  outer->setObjectName(QStringLiteral("Panel1"));
  outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* outer_layout = new QVBoxLayout(outer);
  outer_layout->setContentsMargins(1, 1, 1, 1);
  auto* panel = new QFrame(outer);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  outer_layout->addWidget(panel);
  auto* layout = new QVBoxLayout(panel);
  layout->setSpacing(2);
  // The model's labels top to bottom; the website's caption and its link
  // share a line.
  QHBoxLayout* web = nullptr;
  for (const RegisteredControl& entry : model_.controls().entries()) {
    if (entry.kind != ControlKind::Label) continue;
    if (entry.control == &model_.ProgramIcon) {
      layout->addWidget(make_icon(panel), 0, Qt::AlignHCenter);
    } else if (entry.control == &model_.WebsiteLabel || entry.control == &model_.WebsiteGoToLabel) {
      if (web == nullptr) {
        web = new QHBoxLayout;
        layout->addLayout(web);
      }
      QLabel* label = entry.control == &model_.WebsiteGoToLabel
                          ? new LinkLabel(model_, panel)
                          : text_label(*entry.control, entry.id, panel);
      label->setVisible(entry.control->visible);
      web->addWidget(label);
    } else {
      QLabel* label = text_label(*entry.control, entry.id, panel);
      label->setWordWrap(entry.control == &model_.DataSetUsingLabel);
      if (entry.control == &model_.ProductName) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
      }
      layout->addWidget(label);
    }
  }
  if (web != nullptr) web->addStretch();
  layout->addStretch();
  return outer;
}

QLabel* AboutBoxView::make_icon(QWidget* panel) {
  auto* icon = new QLabel(panel);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setFixedSize(model_.ProgramIcon.width, model_.ProgramIcon.height);
  icon->setScaledContents(true);
  LogoPixmap logo = tandrel_logo_pixmap();
  icon->setPixmap(logo.pixmap);
  if (!logo.failure.empty() && has_trace()) trace().Message(logo.failure);
  return icon;
}

void AboutBoxView::showEvent(QShowEvent* event) {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  QDialog::showEvent(event);
}

void AboutBoxView::press_ok() {
  model_.press("OKButton");
  if (!model_.is_showing()) accept();
}

void AboutBoxView::apply_cursor(ScreenCursor cursor) {
  // The screen cursor: one override for the whole application, as long as
  // the model asks for the hand.
  const bool hand = cursor == ScreenCursor::HandPoint;
  if (hand && !cursor_overridden_) QApplication::setOverrideCursor(Qt::PointingHandCursor);
  if (!hand && cursor_overridden_) QApplication::restoreOverrideCursor();
  cursor_overridden_ = hand;
}

}  // namespace tandrel::desktop
