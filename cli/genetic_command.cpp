#include "cli/genetic_command.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "cli/cli.h"
#include "cli/from_plan.h"
#include "cli/instance.h"
#include "cli/output_guard.h"
#include "cli/run_options.h"
#include "cli/run_session.h"
#include "problem/text.h"
#include "report/plan_output.h"
#include "report/report_numbers.h"
#include "run/run_outcome.h"

namespace tamso::cli {

namespace {

enum class Evolution { Genetic, Hybrid };

void printGains(std::ostream& out, const char* label, const std::vector<float>& gains) {
  out << label << ":";
  for (float gain : gains) out << " " << roundedTwoDecimals(decimalOf(gain));
  out << "\n";
}

void printChildren(std::ostream& out, const EvolutionReport& report) {
  for (std::size_t g = 0; g < report.generationChildren.size(); ++g) {
    const std::vector<float>& children = report.generationChildren[g];
    out << "generation " << g + 1 << ": " << children.size() << (children.size() == 1 ? " child" : " children");
    if (!children.empty()) out << ":";
    for (float gain : children) out << " " << roundedTwoDecimals(decimalOf(gain));
    out << "\n";
  }
}

std::string bestOrigin(const RunOutcome& run) {
  return run.bestMember ? "member " + std::to_string(*run.bestMember) : "child";
}

void printText(std::ostream& out, Evolution kind, RunOutcome& run, const RunFacts& facts, double seconds) {
  const EvolutionReport& report = *run.evolution;
  printRunHeader(out, facts);
  char time[48];
  std::snprintf(time, sizeof time, "run time: %.2f s\n", seconds);
  out << time;
  printGains(out, "initial population", report.initialGains);
  if (kind == Evolution::Hybrid) {
    printGains(out, "final population", report.finalGains);
    out << "children: " << report.children << "\n";
  } else {
    printChildren(out, report);
  }
  Solution& best = *run.solution;
  out << "best: " << bestOrigin(run) << ", gain " << roundedTwoDecimals(decimalOf(best.gain())) << "\n";
  printPlanText(out, best);
}

nlohmann::json centsList(const std::vector<float>& gains) {
  nlohmann::json list = nlohmann::json::array();
  for (float gain : gains) list.push_back(roundedToCents(decimalOf(gain)));
  return list;
}

// The best plan's document, with the populations beside it and the same document as "best".
nlohmann::json jsonDocument(RunOutcome& run, std::int32_t generations, const RunFacts& facts) {
  const EvolutionReport& report = *run.evolution;
  nlohmann::json best = planDocument(facts, *run.solution);
  nlohmann::json document = best;
  document["generations"] = generations;
  document["initialPopulation"] = centsList(report.initialGains);
  document["finalPopulation"] = centsList(report.finalGains);
  document["children"] = report.children;
  document["best"] = std::move(best);
  return document;
}

int runEvolution(Evolution kind, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const char* name = kind == Evolution::Genetic ? "ga" : "hga";
  std::string problemText;
  const auto options = parseRunOptions(name, args, RunOptionSet{true, false}, problemText);
  if (!options) return usageError(err, problemText);
  RunSession session(name, *options, err);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem, err)) return reportLoadError(*error, err);
  const RunCommand command = kind == Evolution::Genetic ? RunCommand::Genetic : RunCommand::HybridGenetic;
  RunRequest request = session.request(command, problem);
  if (!continueSavedPlan(request, *options, err) || !outputsSpareInputs(request, *options, err)) return exitFailure;

  const auto start = std::chrono::steady_clock::now();
  RunOutcome run = executeRun(request, session.observer());
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  session.endProgress();

  for (const std::string& failure : run.dumpErrors) err << "tamso-cli: warning: " << failure << "\n";
  std::ostringstream text;
  if (options->json) {
    nlohmann::json document = jsonDocument(run, options->generations, session.facts());
    reportContinuation(request, run, err, &document);
    text << jsonLine(document);
  } else {
    reportContinuation(request, run, err);
    printText(text, kind, run, session.facts(), elapsed.count());
  }
  return session.finish(text.str(), out, err);
}

}  // namespace

int runGeneticCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return runEvolution(Evolution::Genetic, args, out, err);
}

int runHybridCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return runEvolution(Evolution::Hybrid, args, out, err);
}

}  // namespace tamso::cli
