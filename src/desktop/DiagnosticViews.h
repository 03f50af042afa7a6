#pragma once

// The windows of the diagnostics on the desktop: the trace window, the
// output window that screen output writes into, and the progress windows a
// run creates, each following its model.

#include <memory>

#include "process/Globals.h"

namespace tandrel::desktop {

class OutputWindowView;
class QtPlatform;

class DiagnosticViews {
 public:
  DiagnosticViews(ProcessGlobals& g, QtPlatform& platform);
  ~DiagnosticViews();

  // Connects to the windows start-up created; call after start_up.
  void connect_windows();
  OutputWindowView* trace_view() const { return trace_.get(); }
  OutputWindowView* output_view() const { return output_.get(); }

 private:
  ProcessGlobals& g_;
  QtPlatform& platform_;
  std::unique_ptr<OutputWindowView> trace_;
  std::unique_ptr<OutputWindowView> output_;
};

}  // namespace tandrel::desktop
