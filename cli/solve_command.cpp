#include "cli/solve_command.h"

#include <memory>
#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "cli/from_plan.h"
#include "cli/instance.h"
#include "cli/output_guard.h"
#include "cli/run_options.h"
#include "cli/run_session.h"
#include "cli/terminal_progress.h"
#include "report/plan_output.h"
#include "report/report_numbers.h"
#include "run/run_outcome.h"

namespace tamso::cli {

namespace {

struct SolveOptions {
  RunOptions run;
  std::optional<std::int64_t> iterations;
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
  if (iterationText) {
    const auto count = parseWholeNumber(*iterationText);
    if (!count || *count == 0) {
      problem = "--iterations needs a whole number above 0, not '" + *iterationText + "'";
      return std::nullopt;
    }
    options.iterations = *count;
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

}  // namespace

int runSolveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseSolveOptions(args, problemText);
  if (!options) return usageError(err, problemText);
  // The search keeps its own time limit; the session watches for signals.
  RunOptions sessionOptions = options->run;
  sessionOptions.timeLimitSeconds.reset();
  RunSession session("solve", sessionOptions, err);
  session.replaceDisplay(std::make_unique<SolveProgress>(err));
  ProblemData problem;
  if (const auto error = loadForCommand(options->run.configPath, problem, err)) return reportLoadError(*error, err);
  RunRequest request = session.request(RunCommand::ThoroughSearch, problem);
  request.timeLimit = options->run.timeLimitSeconds;
  request.iterations = options->iterations;
  if (!continueSavedPlan(request, options->run, err) || !outputsSpareInputs(request, options->run, err)) {
    return exitFailure;
  }
  RunOutcome run = executeRun(request, session.observer());
  session.endProgress();
  if (run.timeLimitReached) session.noteStopped("time limit");

  for (const std::string& failure : run.dumpErrors) err << "tamso-cli: warning: " << failure << "\n";
  Solution& plan = *run.solution;
  std::ostringstream report;
  if (options->run.json) {
    nlohmann::json document = planDocument(session.facts(), plan);
    document["iterations"] = run.iterations;
    document["seconds"] = roundedToCents(run.seconds);
    reportContinuation(request, run, err, &document);
    report << jsonLine(document);
  } else {
    reportContinuation(request, run, err);
    printRunHeader(report, session.facts());
    report << "Iterations: " << run.iterations << "\n"
           << "Time used: " << roundedTwoDecimals(run.seconds) << " s\n";
    printPlanText(report, plan);
  }
  return session.finish(report.str(), out, err);
}

}  // namespace tamso::cli
