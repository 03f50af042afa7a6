#pragma once

// What the progress windows need to know of the main window they sit in.
// The session that owns the window owns it; the application trace holds a
// share of it, and hands it to every trace and progress window made while
// it runs, so that none of them outlives what it reads.

namespace tandrel {

struct MainFrameState {
  int Width = 535;
  int Height = 576;
  bool minimized = false;
  // Set at the end of start-up; enables the Stop button of progress windows.
  bool initialized = false;
};

}  // namespace tandrel
