#include "desktop/DiagnosticViews.h"

#include "desktop/OutputWindowView.h"
#include "desktop/QtPlatform.h"
#include "diagnostics/OutputWindow.h"

namespace tandrel::desktop {

DiagnosticViews::DiagnosticViews(ProcessGlobals& g, QtPlatform& platform)
    : g_(g), platform_(platform) {}

DiagnosticViews::~DiagnosticViews() = default;

void DiagnosticViews::connect_windows() {
  if (g_.trace_window) {
    trace_ = std::make_unique<OutputWindowView>(*g_.trace_window, QStringLiteral("TraceWindow"),
                                                platform_.main_widget());
    g_.trace_window->line_listener = [this](const std::string& l) { trace_->add_line(l); };
  }
  if (g_.output_window) {
    output_ = std::make_unique<OutputWindowView>(*g_.output_window, QStringLiteral("OutputWindow"),
                                                 platform_.main_widget());
    g_.output_window->line_listener = [this](const std::string& l) { output_->add_line(l); };
  }
}

}  // namespace tandrel::desktop
