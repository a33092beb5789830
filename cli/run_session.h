#pragma once
// One planning run of the command line from its options to its exit status: the seed (given,
// or drawn from the clock and printed), the stop signals and the time limit, the progress
// line on a terminal, and the report written to standard output or, whole or not at all, to
// the output file. Shared by every command that plans.
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/run_control.h"
#include "cli/run_options.h"
#include "cli/stop_signals.h"
#include "cli/terminal_progress.h"
#include "core/random.h"
#include "report/plan_output.h"
#include "run/run_request.h"

namespace tamso::cli {

class RunSession {
 public:
  // `clock` times the limit and draws the seed when none was given; the wall clock when null.
  RunSession(std::string command, const RunOptions& options, std::ostream& err, Clock* clock = nullptr);

  // The run the options ask for on the loaded problem, seeded with the session's seed.
  RunRequest request(RunCommand command, ProblemData& problem) const;
  RunObserver* observer() { return &control_; }
  std::uint32_t seed() const { return seed_; }
  // Shows the progress with this display instead of the plain progress line (only when
  // the plain line would be shown, that is on a terminal).
  void replaceDisplay(std::unique_ptr<RunObserver> display);
  bool showsProgress() const { return display_ != nullptr; }
  // Ends the progress line, so that what follows starts on a line of its own.
  void endProgress();
  // The command, the seed and why the run stopped early, if it did.
  RunFacts facts() const;
  // Marks the run as stopped for a reason its search noticed itself.
  void noteStopped(const std::string& reason) { searchStopReason_ = reason; }

  // Writes the report to the output file or to `out`, and the CSV text to the CSV file
  // when one was asked for. Returns 0, 1 when anything could not be written (with a
  // message on err), or 130 when a stop signal arrived.
  int finish(const std::string& report, std::ostream& out, std::ostream& err,
             const std::optional<std::string>& csv = std::nullopt);

 private:
  std::string command_;
  RunOptions options_;
  std::unique_ptr<Clock> ownClock_;
  Clock& clock_;
  std::uint32_t seed_;
  StopSignals signals_;
  std::unique_ptr<RunObserver> display_;
  RunControl control_;
  std::optional<std::string> searchStopReason_;
};

// Writes text to the stream and flushes it; false when the stream failed.
bool writeOut(std::ostream& out, const std::string& text);

// Writes the plan to `path` (whole or not at all), or to `out` without one; false after
// saying on err what failed.
bool writePlan(const std::string& text, const std::optional<std::string>& path, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli
