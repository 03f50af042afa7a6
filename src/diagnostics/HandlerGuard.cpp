#include "diagnostics/HandlerGuard.h"

#include <exception>
#include <string>

#include "diagnostics/Error.h"
#include "platform/Platform.h"
#include "process/Exceptions.h"

namespace tandrel {

namespace {

HandlerOutcome report_unexpected(const std::exception& e) {
  HandlerOutcome outcome;
  try {
    error(e.what(), 1, noncritical);
  } catch (const platform::ProgramEnded& ended) {
    outcome.end_status = ended.status;
  } catch (const std::exception&) {
    // The report itself failed; the error log says what it could.
  }
  return outcome;
}

}  // namespace

HandlerOutcome run_guarded(const std::function<void()>& handler) {
  HandlerOutcome outcome;
  try {
    handler();
  } catch (const EUserInterrupt&) {
    outcome.interrupted = true;
  } catch (const platform::ProgramEnded& ended) {
    outcome.end_status = ended.status;
  } catch (const std::exception& e) {
    outcome = report_unexpected(e);
  }
  return outcome;
}

}  // namespace tandrel
