#include "cli/solve_command.h"

#include <memory>
#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "cli/instance.h"
#include "cli/plan_output.h"
#include "cli/run_options.h"
#include "cli/run_session.h"
#include "cli/terminal_progress.h"
#include "search/report_numbers.h"
#include "search/ruin_recreate_search.h"

namespace tamso::cli {

namespace {

struct SolveOptions {
  RunOptions run;
  ThoroughSettings search;
};

std::optional<SolveOptions> parseSolveOptions(const std::vector<std::string>& args, std::string& problem) {
  // The options every planning command shares are read by their own parser; --iterations here.
  std::vector<std::string> shared;
  std::optional<std::string> iterationText;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg.rfind("--iterations=", 0) == 0) {
      iterationText = arg.substr(arg.find('=') + 1);
    } else if (arg != "--iterations") {
      shared.push_back(arg);
    } else if (k + 1 < args.size()) {
      iterationText = args[++k];
    } else {
      problem = arg + " needs a value";
      return std::nullopt;
    }
  }
  SolveOptions options;
  const auto run = parseRunOptions("solve", shared, problem);
  if (!run) return std::nullopt;
  options.run = *run;
  options.search.estimatedGain = run->estimatedGain;
  options.search.timeLimit = run->timeLimitSeconds;
  if (iterationText) {
    const auto count = parseWholeNumber(*iterationText);
    if (!count || *count == 0) {
      problem = "--iterations needs a whole number above 0, not '" + *iterationText + "'";
      return std::nullopt;
    }
    options.search.iterations = *count;
  }
  return options;
}

// The terminal line of a run: the Local Search start as for plan, then the steps.
class SolveProgress final : public RunObserver {
 public:
  explicit SolveProgress(std::ostream& err) : err_(err), start_(err) {}
  ~SolveProgress() override {
    if (stepsShown_) err_ << "\n";
  }
  void progress(const RunProgress& progress) override {
    if (progress.phase != RunProgress::Phase::Iteration || progress.total > 0) {
      start_.progress(progress);
      return;
    }
    err_ << "\riteration " << progress.step << ", best gain " << roundedTwoDecimals(decimalOf(progress.gain))
         << "        " << std::flush;
    stepsShown_ = true;
  }

 private:
  std::ostream& err_;
  TerminalProgress start_;
  bool stepsShown_ = false;
};

// The run ends at its time limit unless a stop request or its iteration limit ended it first.
bool endedByTimeLimit(const ThoroughSettings& settings, const ThoroughResult& result) {
  if (result.stopped) return false;
  return !settings.iterations || result.iterations < *settings.iterations;
}

}  // namespace

int runSolveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseSolveOptions(args, problemText);
  if (!options) return usageError(err, problemText);
  // The search keeps its own time limit (30 s by default); the session watches for signals.
  RunOptions sessionOptions = options->run;
  sessionOptions.timeLimitSeconds.reset();
  RunSession session("solve", sessionOptions, err);
  session.replaceDisplay(std::make_unique<SolveProgress>(err));
  ProblemData problem;
  if (const auto error = loadForCommand(options->run.configPath, problem)) return reportLoadError(*error, err);
  if (options->run.capacity) problem.checkCapacity = *options->run.capacity;

  ThoroughRun run = runThoroughCommand(problem, options->search, session.random(), session.observer());
  session.endProgress();
  if (endedByTimeLimit(options->search, run.result)) session.noteStopped("time limit");

  if (run.dumpError) err << "tamso-cli: warning: " << *run.dumpError << "\n";
  Solution& plan = *run.result.solution;
  std::ostringstream report;
  if (options->run.json) {
    nlohmann::json document = planDocument(session.facts(), plan);
    document["iterations"] = run.result.iterations;
    document["seconds"] = roundedToCents(run.result.seconds);
    report << jsonLine(document);
  } else {
    printRunHeader(report, session.facts());
    report << "Iterations: " << run.result.iterations << "\n"
           << "Time used: " << roundedTwoDecimals(run.result.seconds) << " s\n";
    printPlanText(report, plan);
  }
  return session.finish(report.str(), out, err);
}

}  // namespace tamso::cli
