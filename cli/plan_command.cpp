#include "cli/plan_command.h"

#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "cli/instance.h"
#include "cli/plan_output.h"
#include "cli/run_options.h"
#include "cli/run_session.h"
#include "search/local_search_run.h"
#include "search/plan_csv.h"

namespace tamso::cli {

int runPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseRunOptions("plan", args, RunOptionSet{false, true}, problemText);
  if (!options) return usageError(err, problemText);
  RunSession session("plan", *options, err);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem, err)) return reportLoadError(*error, err);
  if (options->capacity) problem.checkCapacity = *options->capacity;

  LocalSearchRun run = runLocalSearch(problem, options->estimatedGain, session.random(), session.observer());
  session.endProgress();
  if (run.dumpError) err << "tamso-cli: warning: " << *run.dumpError << "\n";

  std::ostringstream report;
  if (options->json) {
    report << jsonLine(planDocument(session.facts(), *run.solution));
  } else {
    printRunHeader(report, session.facts());
    printPlanText(report, *run.solution);
  }
  std::optional<std::string> csv;
  if (options->csvPath) {
    std::ostringstream text;
    writePlanCsv(text, *run.solution);
    csv = text.str();
  }
  return session.finish(report.str(), out, err, csv);
}

}  // namespace tamso::cli
