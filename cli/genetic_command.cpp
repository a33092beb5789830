#include "cli/genetic_command.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/instance.h"
#include "cli/plan_output.h"
#include "cli/run_options.h"
#include "cli/terminal_progress.h"
#include "problem/text.h"
#include "search/genetic_search.h"

namespace tamso::cli {

namespace {

enum class Evolution { Genetic, Hybrid };

void printGains(std::ostream& out, const char* label, const std::vector<float>& gains) {
  out << label << ":";
  for (float gain : gains) out << " " << formatTwoDecimals(gain);
  out << "\n";
}

void printChildren(std::ostream& out, const EvolutionReport& report) {
  for (std::size_t g = 0; g < report.generationChildren.size(); ++g) {
    const std::vector<float>& children = report.generationChildren[g];
    out << "generation " << g + 1 << ": " << children.size() << (children.size() == 1 ? " child" : " children");
    if (!children.empty()) out << ":";
    for (float gain : children) out << " " << formatTwoDecimals(gain);
    out << "\n";
  }
}

std::string bestOrigin(GeneticSearch& search, const Solution& best) {
  for (std::int32_t i = 0; i < GeneticSearch::populationSize; ++i) {
    if (&search.member(i) == &best) return "member " + std::to_string(i);
  }
  return "child";
}

void printText(std::ostream& out, Evolution kind, GeneticSearch& search, const EvolutionReport& report,
               double seconds) {
  printGains(out, "initial population", report.initialGains);
  if (kind == Evolution::Hybrid) {
    printGains(out, "final population", report.finalGains);
    out << "children: " << report.children << "\n";
  } else {
    printChildren(out, report);
  }
  if (report.stopped) out << "stopped early\n";
  Solution& best = search.bestSolution();
  out << "best: " << bestOrigin(search, best) << ", gain " << formatTwoDecimals(best.gain()) << "\n";
  printPlanText(out, best);
  char time[48];
  std::snprintf(time, sizeof time, "run time: %.2f s\n", seconds);
  out << time;
}

nlohmann::json jsonDocument(GeneticSearch& search, const EvolutionReport& report) {
  return {{"initialPopulation", report.initialGains},
          {"finalPopulation", report.finalGains},
          {"children", report.children},
          {"best", planJson(search.bestSolution())}};
}

int runEvolution(Evolution kind, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const char* name = kind == Evolution::Genetic ? "ga" : "hga";
  std::string problemText;
  const auto options = parseRunOptions(name, args, problemText);
  if (!options) return usageError(err, problemText);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem)) return reportLoadError(*error, err);
  if (options->capacity) problem.checkCapacity = *options->capacity;

  Random random = options->seed ? Random::seeded(*options->seed) : Random();
  GeneticSearch search(problem, options->estimatedGain, random);
  std::unique_ptr<TerminalProgress> progress = terminalProgressFor(err);
  RunObserver* observer = progress.get();

  const auto start = std::chrono::steady_clock::now();
  const EvolutionReport report = kind == Evolution::Genetic ? search.runGenetic(observer) : search.runHybrid(observer);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  progress.reset();

  for (const std::string& failure : report.dumpErrors) err << "tamso-cli: warning: " << failure << "\n";
  if (options->json) {
    out << jsonDocument(search, report).dump() << "\n";
  } else {
    printText(out, kind, search, report, elapsed.count());
  }
  return exitSuccess;
}

}  // namespace

int runGeneticCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return runEvolution(Evolution::Genetic, args, out, err);
}

int runHybridCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return runEvolution(Evolution::Hybrid, args, out, err);
}

}  // namespace tamso::cli
