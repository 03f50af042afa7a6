#include "desktop/DesktopSession.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/Startup.h"
#include "desktop/DesktopStartup.h"
#include "desktop/DiagnosticViews.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"
#include "ui/GenerateForm.h"

namespace tandrel::desktop {

DesktopSession::DesktopSession(ProcessGlobals& g, QtPlatform& platform)
    : g_(g),
      platform_(platform),
      windows_(std::make_unique<DesktopStartup>(platform, session_)),
      views_(std::make_unique<DiagnosticViews>(g, platform)) {
  start_up(g, session_, *windows_);
  views_->connect_output_window();
}

DesktopSession::~DesktopSession() {
  views_.reset();
  platform_.set_main_widget(nullptr);
}

MainWindow& DesktopSession::window() const {
  return *windows_->window();
}

void DesktopSession::show_main_window() {
  MainWindow& w = window();
  const TGenerateForm& form = w.form();
  const QSize wanted = QSize(form.Width(), form.Height()).expandedTo(w.sizeHint());
  w.resize(wanted);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    w.move(area.center() - QPoint(wanted.width() / 2, wanted.height() / 2));
  }
  w.show();
}

void DesktopSession::close_down() {
  if (closed_) return;
  closed_ = true;
  g_.user_interrupt = false;
  finish(g_, session_);
}

}  // namespace tandrel::desktop
