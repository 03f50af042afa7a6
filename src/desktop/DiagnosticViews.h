#pragma once

// The windows of the diagnostics on the desktop: the trace window, the
// output window that screen output writes into, and the progress windows a
// run creates, each following its model's signals.

#include <memory>
#include <vector>

#include "process/Globals.h"
#include "process/Signal.h"

namespace tandrel::desktop {

class OutputWindowView;
class QtPlatform;

class DiagnosticViews {
 public:
  // Creates the trace window and connects to it and to new progress
  // windows; call before start-up, so no line and no window is missed.
  DiagnosticViews(ProcessGlobals& g, QtPlatform& platform);
  ~DiagnosticViews();

  // Connects to the output window, which start-up creates late.
  void connect_output_window();
  OutputWindowView* trace_view() const { return trace_.get(); }
  OutputWindowView* output_view() const { return output_.get(); }

 private:
  std::unique_ptr<OutputWindowView> follow(Toutputwindow& model, const char* name);

  ProcessGlobals& g_;
  QtPlatform& platform_;
  std::unique_ptr<OutputWindowView> trace_;
  std::unique_ptr<OutputWindowView> output_;
  std::vector<Connection> connections_;
};

}  // namespace tandrel::desktop
