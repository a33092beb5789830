#include "cli/plan_command.h"

#include <unistd.h>

#include <iostream>
#include <optional>

#include "cli/cli.h"
#include "cli/instance.h"
#include "cli/plan_output.h"
#include "cli/run_options.h"
#include "problem/text.h"
#include "search/local_search_run.h"

namespace tamso::cli {

namespace {

// One status line on a terminal, rewritten in place: the phase and the current gain.
class PassProgress final : public RunObserver {
 public:
  explicit PassProgress(std::ostream& err) : err_(err) {}
  ~PassProgress() override {
    if (shown_) err_ << "\n";
  }
  void progress(const RunProgress& p) override {
    if (p.phase == RunProgress::Phase::FirstSolution) {
      err_ << "\rfirst solution: order " << p.step << "/" << p.total;
    } else {
      err_ << "\rlocal search: pass " << p.step;
    }
    err_ << ", gain " << formatTwoDecimals(p.gain) << "        " << std::flush;
    shown_ = true;
  }

 private:
  std::ostream& err_;
  bool shown_ = false;
};

bool onTerminal(const std::ostream& err) { return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1; }

}  // namespace

int runPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseRunOptions("plan", args, problemText);
  if (!options) return usageError(err, problemText);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem)) return reportLoadError(*error, err);

  Random random = options->seed ? Random::seeded(*options->seed) : Random();
  std::optional<PassProgress> progress;
  if (onTerminal(err)) progress.emplace(err);
  LocalSearchRun run = runLocalSearch(problem, options->estimatedGain, random, progress ? &*progress : nullptr);
  progress.reset();

  if (run.dumpError) err << "tamso-cli: warning: " << *run.dumpError << "\n";
  if (options->json) {
    out << planJson(*run.solution).dump() << "\n";
  } else {
    printPlanText(out, *run.solution);
  }
  return exitSuccess;
}

}  // namespace tamso::cli
