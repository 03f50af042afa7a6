#include "desktop/SplashView.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "desktop/LogoPixmap.h"
#include "diagnostics/Trace.h"
#include "process/Globals.h"
#include "ui/SplashScreen.h"

namespace tandrel::desktop {

namespace {

constexpr const char* kCream = "#fffbf0";
constexpr const char* kSilver = "#c0c0c0";
constexpr const char* kRed = "#ff0000";

void place(QWidget& widget, const Control& control) {
  widget.setGeometry(control.left, control.top, control.width, control.height);
}

}  // namespace

SplashView::SplashView(TKIVSplash& model) : model_(model) {
  setObjectName(QStringLiteral("KIVSplash"));
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setFixedSize(TKIVSplash::ClientWidth, TKIVSplash::ClientHeight);
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("KIVLogoImage"));
  LogoPixmap decoded = tandrel_logo_pixmap();
  logo->setPixmap(decoded.pixmap);
  logo_failure_ = std::move(decoded.failure);
  place(*logo, model.KIVLogoImage);

  QLabel* welcome = add_label(model.Label1, "Label1", 40, kCream);
  QFont font = welcome->font();
  font.setFamily(QStringLiteral("Arial"));
  font.setBold(true);
  font.setItalic(true);
  welcome->setFont(font);
  place(*welcome, model.Label1);
  place(*add_label(model.Label2, "Label2", 21, kSilver), model.Label2);
  place(*add_label(model.VersionLabel, "VersionLabel", 11, kSilver), model.VersionLabel);
  flash_ = add_label(model.FlashLabel1, "FlashLabel1", 21, kRed);
  place(*flash_, model.FlashLabel1);
  interface_ = add_label(model.InterfaceUsingLabel, "InterfaceUsingLabel", 11, kSilver);
  interface_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  // The timer is the label's child, so it goes with the label.
  timer_ = new QTimer(flash_);
  timer_->setObjectName(QStringLiteral("FlashTimer"));
  connect(timer_, &QTimer::timeout, flash_, [this] { model_.FlashLabel1.Tick(); });
  model_.FlashLabel1.on_change = [this] { sync_flash_label(); };
  sync_flash_label();
}

SplashView::~SplashView() {
  model_.FlashLabel1.on_change = nullptr;
}

QLabel* SplashView::add_label(const Control& control, const char* name, int pixels,
                              const char* colour) {
  auto* label = new QLabel(QString::fromStdString(control.caption), this);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  QFont font = label->font();
  font.setPixelSize(pixels);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour));
  return label;
}

void SplashView::sync_flash_label() {
  const TFlashLabel& label = model_.FlashLabel1;
  flash_->setVisible(label.visible);
  if (timer_->interval() != label.Interval()) timer_->setInterval(label.Interval());
  if (label.Flash() && !timer_->isActive()) timer_->start();
  if (!label.Flash()) timer_->stop();
}

void SplashView::show_centred() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  raise();
  // Painted now, before the long initial file read; the platform's pump is
  // throttled and might skip this one.
  QCoreApplication::processEvents();
}

int SplashView::interface_label_width(const std::string& caption) const {
  return interface_->fontMetrics().horizontalAdvance(QString::fromStdString(caption)) + 2;
}

void SplashView::show_interface_file(const std::string& caption) {
  const Control& label = model_.InterfaceUsingLabel;
  interface_->setText(QString::fromStdString(caption));
  interface_->setGeometry(label.left, label.top, label.width, label.height);
  if (!logo_failure_.empty() && has_trace()) {
    trace().Message(logo_failure_);
    logo_failure_.clear();
  }
}

}  // namespace tandrel::desktop
