#pragma once

// Work done ahead on a helper thread must not talk to the user: the main
// thread owns the error log, the trace and every dialog. While a QuietScope
// is active on a thread, a report made on that thread is not shown but
// noted, so the main thread can redo that piece of work in its turn, with
// every report in its place.

namespace tandrel {

class QuietScope {
 public:
  QuietScope();
  ~QuietScope();
  QuietScope(const QuietScope&) = delete;
  QuietScope& operator=(const QuietScope&) = delete;

  // Whether a report was held back since the last reset.
  bool noted() const { return noted_; }
  void reset() { noted_ = false; }

  // Called by everything that reports: true (and noted) when the calling
  // thread is quiet, so the caller must not report.
  static bool hold_back();
  // Whether the calling thread is quiet, without noting anything: for the
  // trace and progress, which have nothing to redo.
  static bool active();

 private:
  bool noted_ = false;
  QuietScope* outer_;
};

}  // namespace tandrel
