#include "cli/solve_command.h"

#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/instance.h"
#include "cli/plan_output.h"
#include "cli/run_options.h"
#include "cli/terminal_progress.h"
#include "problem/text.h"
#include "search/thorough_search.h"

namespace tamso::cli {

namespace {

struct SolveOptions {
  RunOptions run;
  ThoroughSettings search;
};

// A time limit in seconds: a positive number such as 30 or 2.5.
std::optional<double> parseSeconds(const std::string& text) {
  try {
    std::size_t used = 0;
    const double seconds = std::stod(text, &used);
    if (used != text.size() || !std::isfinite(seconds) || !(seconds > 0.0)) return std::nullopt;
    return seconds;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<SolveOptions> parseSolveOptions(const std::vector<std::string>& args, std::string& problem) {
  // The options every planning command shares are read by their own parser; the rest here.
  std::vector<std::string> shared;
  std::optional<std::string> timeText;
  std::optional<std::string> iterationText;
  for (std::size_t k = 0; k < args.size(); ++k) {
    std::string arg = args[k];
    std::optional<std::string> joined;  // "--time-limit=30"
    if (const auto equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      joined = arg.substr(equals + 1);
      arg.resize(equals);
    }
    std::optional<std::string>* slot = arg == "--time-limit" ? &timeText : arg == "--iterations" ? &iterationText : nullptr;
    if (slot == nullptr) {
      shared.push_back(args[k]);
    } else if (joined) {
      *slot = joined;
    } else if (k + 1 < args.size()) {
      *slot = args[++k];
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
  if (timeText) {
    options.search.timeLimit = parseSeconds(*timeText);
    if (!options.search.timeLimit) {
      problem = "--time-limit needs a number of seconds above 0, not '" + *timeText + "'";
      return std::nullopt;
    }
  }
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
    err_ << "\riteration " << progress.step << ", best gain " << formatTwoDecimals(progress.gain) << "        "
         << std::flush;
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
  ProblemData problem;
  if (const auto error = loadForCommand(options->run.configPath, problem)) return reportLoadError(*error, err);
  if (options->run.capacity) problem.checkCapacity = *options->run.capacity;

  Random random = options->run.seed ? Random::seeded(*options->run.seed) : Random();
  std::unique_ptr<SolveProgress> progress = terminalProgressFor(err) ? std::make_unique<SolveProgress>(err) : nullptr;
  ThoroughRun run = runThoroughCommand(problem, options->search, random, progress.get());
  progress.reset();

  if (run.dumpError) err << "tamso-cli: warning: " << *run.dumpError << "\n";
  Solution& plan = *run.result.solution;
  if (options->run.json) {
    nlohmann::json json = planJson(plan);
    json["iterations"] = run.result.iterations;
    json["seconds"] = run.result.seconds;
    out << json.dump() << "\n";
  } else {
    printPlanText(out, plan);
    out << "Iterations: " << run.result.iterations << "\n"
        << "Time used: " << formatTwoDecimals(static_cast<float>(run.result.seconds)) << " s\n";
  }
  return exitSuccess;
}

}  // namespace tamso::cli
