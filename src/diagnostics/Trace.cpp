#include "diagnostics/Trace.h"

#include <cmath>

#include "diagnostics/OutputWindow.h"
#include "diagnostics/ProgressForm.h"
#include "diagnostics/QuietScope.h"
#include "process/Exceptions.h"
#include "process/Globals.h"

namespace tandrel {

namespace {
constexpr std::size_t kTrimAt = 1000;
constexpr std::size_t kTrimCount = 101;
constexpr int kMaxOffsetLevel = 20;

bool switch_on(int level) {
  const auto& switches = globals().configuration.trace_levels;
  int index = level < 0 ? 0 : (level > 10 ? 10 : level);
  return switches[static_cast<std::size_t>(index)];
}

Toutputwindow* trace_window() {
  return globals().trace_window.get();
}
}  // namespace

long long round_half_even(double value) {
  return std::llrint(value);
}

std::string format_remaining(double days) {
  if (days < 0) days = 0;
  double fraction = days - std::floor(days);
  long long ms = std::llround(fraction * 86400000.0) % 86400000LL;
  // Every progress step formats one: no printf machinery here.
  const long long parts[] = {ms / 3600000, ms / 60000 % 60, ms / 1000 % 60};
  std::string text = "00:00:00";
  for (int i = 0; i < 3; ++i) {
    text[static_cast<std::size_t>(i * 3)] = static_cast<char>('0' + parts[i] / 10);
    text[static_cast<std::size_t>(i * 3 + 1)] = static_cast<char>('0' + parts[i] % 10);
  }
  return text;
}

Ttrace_obj::Ttrace_obj(int level, const std::string& caption)
    : level_(level), form_(std::make_unique<TProgressForm>()) {
  ProcessGlobals& g = globals();
  // Quiet work (a count behind the main window) shows no progress and
  // leaves a stop the user asked for standing.
  const bool quiet = QuietScope::active();
  if (!quiet) g.user_interrupt = false;
  if (g.trace) set_main_frame(g.trace->frame_);
  const MainFrameState& frame = main_frame();
  int offset = 2 * level;
  if (level > kMaxOffsetLevel) {
    if (g.trace) g.trace->Message("Trace level > 20 - check programming trace.");
    offset = 40;
  }
  form_->Left = static_cast<int>(round_half_even((frame.Width - form_->Width) * 0.5)) + offset;
  form_->Top = static_cast<int>(round_half_even((frame.Height - form_->Height) * 0.5)) + offset;
  form_->Caption = caption + "... trace_level=" + std::to_string(level);
  if (!frame.minimized) form_->window_state_normal = true;
  if (!quiet) g.progress_window_created.emit(*form_);
}

Ttrace_obj::~Ttrace_obj() = default;

void Ttrace_obj::set_main_frame(std::shared_ptr<const MainFrameState> frame) {
  frame_ = std::move(frame);
  form_->set_main_frame(frame_);
}

const MainFrameState& Ttrace_obj::main_frame() const {
  static const MainFrameState kUnknownFrame;
  return frame_ ? *frame_ : kUnknownFrame;
}

void Ttrace_obj::write_line(int level, bool entry_or_exit, const std::string& message) {
  Toutputwindow* window = trace_window();
  if (window == nullptr || !switch_on(level) || QuietScope::active()) return;
  std::string line = std::to_string(level) + ": ";
  if (entry_or_exit) {
    if (level >= 10) line += "+ ";
    line.append(static_cast<std::size_t>(level > 0 ? (level - 1) * 2 : 0), ' ');
  } else {
    line.append(static_cast<std::size_t>(level > 0 ? level * 2 : 0), ' ');
    if (window->line_count() >= kTrimAt) window->delete_first_lines(kTrimCount);
  }
  line += message;
  window->add_line(line);
}

void Ttrace_obj::pump_and_check() {
  if (QuietScope::active()) return;
  os().process_messages();
  if (globals().user_interrupt) throw EUserInterrupt("User Interrupt");
}

void Ttrace_obj::Enter(const std::string& message) {
  ++level_;
  try {
    write_line(level_, true, message);
  } catch (const std::exception&) {
    // Tracing must never stop the work it traces.
  }
}

void Ttrace_obj::Exit(const std::string& message) {
  write_line(level_, true, message);
  --level_;
  if (QuietScope::active()) return;
  if (Toutputwindow* window = trace_window()) window->add_line(std::to_string(level_));
  os().process_messages();
  form_->set_visible(false);
  if (globals().user_interrupt) throw EUserInterrupt("User Interrupt");
}

void Ttrace_obj::Message(const std::string& message) {
  write_line(level_, false, message);
  try {
    pump_and_check();
  } catch (const EUserInterrupt&) {
    Exit("Exiting trace due to user interrupt");
    throw;
  }
}

void Ttrace_obj::write_message_line(const std::string& message) {
  write_line(level_, false, message);
}

void Ttrace_obj::Tick(const std::string& message, int total) {
  if (QuietScope::active()) return;
  if (!started_) {
    if (!main_frame().minimized) form_->set_visible(true);
    form_->BarStart(message, "unknown", total);
    start_time_ = os().time_of_day();
    started_ = true;
    count_ = 0;
  } else {
    ++count_;
    if (total == 0) {
      form_->BarInc(message, "unknown", "?");
    } else {
      double per_step = (os().time_of_day() - start_time_) / count_;
      double remaining = (total - count_) * per_step;
      if (remaining < 0) remaining = 0;
      long long percent = round_half_even(static_cast<double>(count_) / total * 100.0);
      form_->BarInc(message, format_remaining(remaining), std::to_string(percent));
    }
  }
  try {
    pump_and_check();
  } catch (const EUserInterrupt&) {
    Exit("Exiting trace due to user interrupt");
    throw;
  }
}

void Ttrace_obj::SetAsApplicationTrace() {
  form_->Caption = "Application Trace";
  form_->PauseButton.enabled = false;
  form_->enabled = false;
  form_->sent_to_back = true;
}

void Ttrace_obj::HideProgress() {
  form_->set_visible(false);
}

}  // namespace tandrel
