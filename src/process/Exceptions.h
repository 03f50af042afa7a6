#pragma once

// The exception kinds of Tandrel. Handlers that report and swallow errors
// catch std::exception; platform::ProgramEnded is deliberately not one, so an
// Abort in the error dialog always reaches the top of the program.

#include <stdexcept>
#include <string>

namespace tandrel {

struct TandrelError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Raised by every trace call once the user confirmed an interrupt.
struct EUserInterrupt : TandrelError {
  using TandrelError::TandrelError;
};

// A file could not be opened, read, written or closed.
struct EInOutError : TandrelError {
  using TandrelError::TandrelError;
};

// A value outside the range of its type.
struct ERangeError : TandrelError {
  using TandrelError::TandrelError;
};

// A text that does not convert to the number asked for.
struct EConvertError : TandrelError {
  using TandrelError::TandrelError;
};

}  // namespace tandrel
