#include "desktop/DesktopSession.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/Startup.h"
#include "desktop/DesktopStartup.h"
#include "desktop/DiagnosticViews.h"
#include "desktop/MainWindow.h"
#include "desktop/QtPlatform.h"
#include "platform/Platform.h"
#include "reference/Selections.h"
#include "ui/GenerateForm.h"
#include "ui/SessionMemory.h"

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

void DesktopSession::remember_with(SessionMemory& memory) {
  memory_ = &memory;
  window().form().remember_with(memory);  // the recent settings files
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
  restore_memory();
  w.show();
}

namespace {

WindowPlace place_of(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void DesktopSession::restore_memory() {
  if (memory_ == nullptr) return;
  MainWindow& w = window();
  std::vector<WindowPlace> screens;
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back(place_of(screen->availableGeometry()));
  if (const std::optional<WindowPlace> place = memory_->window_place(screens))
    w.setGeometry(place->x, place->y, place->width, place->height);
  if (!session_.selections) return;
  output_format_type& format = session_.selections->output_format;
  if (format.file_name_chosen) return;
  format.output_file_name = memory_->starting_output_file(
      format.output_file_name,
      [this](const std::string& folder) { return platform_.directory_exists(folder); });
  w.form().FileDisplay.text = format.output_file_name;
  w.refresh();
}

void DesktopSession::keep_memory() {
  if (memory_ == nullptr) return;
  const MainWindow& w = window();
  // A maximised window keeps the place it returns to when restored.
  const bool maximised = w.isMaximized() || w.isFullScreen();
  memory_->remember_window_place(place_of(maximised ? w.normalGeometry() : w.geometry()));
  if (session_.selections && session_.selections->output_format.file_name_chosen)
    memory_->remember_output_file(session_.selections->output_format.output_file_name);
}

void DesktopSession::close_down() {
  if (closed_) return;
  closed_ = true;
  keep_memory();
  g_.user_interrupt = false;
  finish(g_, session_);
}

}  // namespace tandrel::desktop
