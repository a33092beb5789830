#include "cli/run_control.h"

#include <cmath>

#include "cli/stop_signals.h"

namespace tamso::cli {

RunControl::RunControl(Clock& clock, std::optional<double> limitSeconds, RunObserver* display)
    : clock_(clock), display_(display) {
  if (limitSeconds) deadlineMillis_ = millisNow() + static_cast<std::int64_t>(std::llround(*limitSeconds * 1000.0));
}

void RunControl::progress(const RunProgress& progress) {
  if (display_ != nullptr) display_->progress(progress);
}

bool RunControl::stopRequested() {
  if (stopReason_) return true;
  if (StopSignals::received()) {
    stopReason_ = "signal";
  } else if (deadlineMillis_ && millisNow() >= *deadlineMillis_) {
    stopReason_ = "time limit";
  }
  return stopReason_.has_value();
}

std::int64_t RunControl::millisNow() {
  const ClockReading reading = clock_.now();
  return reading.seconds * 1000 + reading.millis;
}

}  // namespace tamso::cli
