#include "cli/plan_command.h"

#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli.h"
#include "cli/instance.h"
#include "cli/plan_output.h"
#include "cli/run_options.h"
#include "cli/terminal_progress.h"
#include "problem/text.h"
#include "search/local_search_run.h"

namespace tamso::cli {

int runPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseRunOptions("plan", args, problemText);
  if (!options) return usageError(err, problemText);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem)) return reportLoadError(*error, err);
  if (options->capacity) problem.checkCapacity = *options->capacity;

  Random random = options->seed ? Random::seeded(*options->seed) : Random();
  std::unique_ptr<TerminalProgress> progress = terminalProgressFor(err);
  LocalSearchRun run = runLocalSearch(problem, options->estimatedGain, random, progress.get());
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
