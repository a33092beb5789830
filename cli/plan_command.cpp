#include "cli/plan_command.h"

#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "cli/from_plan.h"
#include "cli/instance.h"
#include "cli/output_guard.h"
#include "cli/run_options.h"
#include "cli/run_session.h"
#include "report/plan_csv.h"
#include "report/plan_output.h"
#include "run/run_outcome.h"

namespace tamso::cli {

int runPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseRunOptions("plan", args, RunOptionSet{false, true, true, true}, problemText);
  if (!options) return usageError(err, problemText);
  RunSession session("plan", *options, err);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem, err)) return reportLoadError(*error, err);
  RunRequest request = session.request(RunCommand::LocalSearch, problem);
  if (!continueSavedPlan(request, *options, err) || !outputsSpareInputs(request, *options, err)) return exitFailure;

  RunOutcome run = executeRun(request, session.observer());
  session.endProgress();
  for (const std::string& failure : run.dumpErrors) err << "tamso-cli: warning: " << failure << "\n";

  std::ostringstream report;
  if (options->json) {
    nlohmann::json document = planDocument(session.facts(), *run.solution);
    reportContinuation(request, run, err, &document);
    report << jsonLine(document);
  } else {
    reportContinuation(request, run, err);
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
