#pragma once
// The observer of a command-line run: it passes the progress on to the terminal display and
// asks the run to stop once a stop signal arrived or the time limit passed. It remembers
// why it stopped the run.
#include <optional>
#include <string>

#include "core/random.h"
#include "routing/run_observer.h"

namespace tamso::cli {

class RunControl final : public RunObserver {
 public:
  // No time limit when `limitSeconds` is empty; the limit counts from construction.
  RunControl(Clock& clock, std::optional<double> limitSeconds, RunObserver* display = nullptr);

  void progress(const RunProgress& progress) override;
  bool stopRequested() override;

  void setDisplay(RunObserver* display) { display_ = display; }
  // "time limit" or "signal" once the run was asked to stop for that reason.
  const std::optional<std::string>& stopReason() const { return stopReason_; }

 private:
  std::int64_t millisNow();

  Clock& clock_;
  std::optional<std::int64_t> deadlineMillis_;
  RunObserver* display_;
  std::optional<std::string> stopReason_;
};

}  // namespace tamso::cli
