#include "cli/evaluate_command.h"

#include <optional>

#include "cli/cli.h"
#include "cli/from_plan.h"
#include "cli/instance.h"
#include "cli/output_guard.h"
#include "cli/run_options.h"
#include "cli/run_session.h"
#include "problem/file_identity.h"
#include "report/plan_output.h"

namespace tamso::cli {

namespace {

// The options of evaluate: the planning commands' switches and output, the plan file
// second. The plan is evaluated on the data as the switches say.
std::optional<RunOptions> parseEvaluateOptions(std::vector<std::string> args, std::string& problem) {
  for (std::string& arg : args) {
    if (arg == "-o") arg = "--output";
  }
  const auto line =
      parseCommandLine(args, {"--estimated-gain", "--capacity", "--no-capacity", "--driver-rules", "--no-driver-rules"},
                       {"--output"}, problem);
  if (!line) return std::nullopt;
  if (line->positionals.size() != 2) {
    problem = "evaluate needs a configuration file and a plan file";
    return std::nullopt;
  }
  RunOptions options;
  options.configPath = line->positionals[0];
  options.fromPath = line->positionals[1];
  options.estimatedGain = line->has("--estimated-gain");
  options.outputPath = line->option("--output");
  if (options.outputPath && options.outputPath->empty()) {
    problem = "--output needs a file name";
    return std::nullopt;
  }
  if (!readSwitch(*line, "capacity", options.capacity, problem) ||
      !readSwitch(*line, "driver-rules", options.driverRules, problem)) {
    return std::nullopt;
  }
  return options;
}

bool outputSparesInputs(const RunOptions& options, const ProblemData& problem, std::ostream& err) {
  if (!options.outputPath) return true;
  if (const auto refusal = refuseOverwritingInput(*options.outputPath, problem.inputFiles)) {
    err << "tamso-cli: " << *refusal << "\n";
    return false;
  }
  return true;
}

}  // namespace

int runEvaluateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseEvaluateOptions(args, problemText);
  if (!options) return usageError(err, problemText);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem, err)) return reportLoadError(*error, err);
  RunRequest request;
  request.problem = &problem;
  request.estimatedGain = options->estimatedGain;
  request.switches.checkCapacity = options->capacity;
  request.switches.driverRules = options->driverRules;
  if (!continueSavedPlan(request, *options, err) || !outputSparesInputs(*options, problem, err)) return exitFailure;
  applyRunSwitches(problem, request.switches);

  RunOutcome evaluated;
  RebuiltPlan rebuilt = *rebuildSavedPlan(request);
  evaluated.solution = std::move(rebuilt.solution);
  evaluated.planProblems = std::move(rebuilt.problems);
  nlohmann::json document = planDocument(RunFacts{"evaluate", 0, std::nullopt}, *evaluated.solution);
  document["seed"] = nullptr;
  reportContinuation(request, evaluated, err, &document);
  if (!writePlan(jsonLine(document), options->outputPath, out, err)) return exitFailure;
  return evaluated.planProblems.empty() ? exitSuccess : exitFailure;
}

std::vector<OptionHelp> evaluateHelp() {
  return {{"CONFIG", "the instance's configuration file; data files named in it are looked for beside it"},
          {"PLAN.json",
           "a plan document (docs/plan-json.md): the routes' vehicles and stops in driving order are read, "
           "times and figures are computed anew"},
          {"--estimated-gain", "include the estimated gain in the route gains (default: off)"},
          {"--capacity, --no-capacity",
           "respect the vehicles' capacities, or do not, whatever the configuration's checkCapacity says "
           "(default: as the configuration says)"},
          {"--driver-rules, --no-driver-rules",
           "keep the EU driving and rest times of one driver, or do not (default: as the configuration says)"},
          {"-o FILE, --output FILE", "write the document to FILE instead of standard output"}};
}

}  // namespace tamso::cli
