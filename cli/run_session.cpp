#include "cli/run_session.h"

#include "cli/cli.h"
#include "core/file_replace.h"
#include "search/clock_seed.h"

namespace tamso::cli {

namespace {

Clock& chosenClock(Clock* given, std::unique_ptr<Clock>& own) {
  if (given != nullptr) return *given;
  own = std::make_unique<SystemClock>();
  return *own;
}

}  // namespace

RunSession::RunSession(std::string command, const RunOptions& options, std::ostream& err, Clock* clock)
    : command_(std::move(command)),
      options_(options),
      clock_(chosenClock(clock, ownClock_)),
      seed_(options.seed ? *options.seed : seedFromClock(clock_)),
      display_(terminalProgressFor(err)),
      control_(clock_, options.timeLimitSeconds, display_.get()) {}

RunRequest RunSession::request(RunCommand command, ProblemData& problem) const {
  RunRequest request;
  request.command = command;
  request.problem = &problem;
  request.estimatedGain = options_.estimatedGain;
  request.seed = seed_;
  request.generations = options_.generations;
  request.restarts = options_.restarts;
  request.localSearchPasses = options_.localSearchPasses;
  request.switches.checkCapacity = options_.capacity;
  request.switches.driverRules = options_.driverRules;
  return request;
}

void RunSession::replaceDisplay(std::unique_ptr<RunObserver> display) {
  if (display_ == nullptr) return;
  display_ = std::move(display);
  control_.setDisplay(display_.get());
}

void RunSession::endProgress() {
  control_.setDisplay(nullptr);
  display_.reset();
}

RunFacts RunSession::facts() const {
  return {command_, seed_, control_.stopReason() ? control_.stopReason() : searchStopReason_};
}

bool writeOut(std::ostream& out, const std::string& text) {
  out << text;
  out.flush();
  return static_cast<bool>(out);
}

bool writePlan(const std::string& text, const std::optional<std::string>& path, std::ostream& out, std::ostream& err) {
  if (path) {
    if (const auto error = replaceFile(*path, text)) {
      err << "tamso-cli: " << *error << "\n";
      return false;
    }
  } else if (!writeOut(out, text)) {
    err << "tamso-cli: cannot write the plan to standard output\n";
    return false;
  }
  return true;
}

int RunSession::finish(const std::string& report, std::ostream& out, std::ostream& err,
                       const std::optional<std::string>& csv) {
  endProgress();
  bool failed = false;
  if (csv && options_.csvPath) {
    if (const auto error = replaceFile(*options_.csvPath, *csv)) {
      err << "tamso-cli: " << *error << "\n";
      failed = true;
    }
  }
  if (!writePlan(report, options_.outputPath, out, err)) failed = true;
  if (failed) return exitFailure;
  return StopSignals::received() ? exitStopped : exitSuccess;
}

}  // namespace tamso::cli
