#include "desktop/DiagnosticViews.h"

#include <QWidget>

#include "desktop/OutputWindowView.h"
#include "desktop/ProgressView.h"
#include "desktop/QtPlatform.h"
#include "diagnostics/DiagnosticWindows.h"
#include "diagnostics/OutputWindow.h"

namespace tandrel::desktop {

DiagnosticViews::DiagnosticViews(ProcessGlobals& g, QtPlatform& platform)
    : g_(g), platform_(platform) {
  create_trace_window(g);
  trace_ = follow(*g.trace_window, "TraceWindow");
  connections_.push_back(g.progress_window_created.connect([this](TProgressForm& form) {
    // Inside the main window, which start-up creates before any trace.
    if (QWidget* main = platform_.main_widget()) new ProgressView(form, main);
  }));
}

DiagnosticViews::~DiagnosticViews() {
  connections_.clear();
}

std::unique_ptr<OutputWindowView> DiagnosticViews::follow(Toutputwindow& model, const char* name) {
  auto view = std::make_unique<OutputWindowView>(model, QString::fromLatin1(name), nullptr);
  OutputWindowView* v = view.get();
  connections_.push_back(model.line_added.connect([v](const std::string& l) { v->add_line(l); }));
  connections_.push_back(
      model.lines_removed.connect([v](std::size_t n) { v->remove_first_lines(n); }));
  connections_.push_back(model.cleared.connect([v] { v->clear_lines(); }));
  connections_.push_back(model.visibility_changed.connect([v] { v->follow_visibility(); }));
  return view;
}

void DiagnosticViews::connect_output_window() {
  if (g_.output_window && !output_) output_ = follow(*g_.output_window, "OutputWindow");
}

}  // namespace tandrel::desktop
