#include "ui/plan_report.h"

#include <sstream>

#include "core/file_replace.h"
#include "report/plan_continuation.h"
#include "report/plan_csv.h"

namespace tamso::ui {

std::optional<std::string> savePlanReport(const std::string& path, Solution& solution) {
  std::ostringstream text;
  writePlanCsv(text, solution);
  return replaceFile(path, text.str());
}

std::optional<std::string> saveRunReport(const std::string& path, const RunFacts& facts, Solution& solution) {
  const bool json = path.size() >= 5 && path.compare(path.size() - 5, 5, ".json") == 0;
  std::ostringstream text;
  if (json) {
    text << jsonLine(planDocument(facts, solution));
  } else {
    printRunHeader(text, facts);
    printPlanText(text, solution);
  }
  return replaceFile(path, text.str());
}

std::optional<std::string> savePlanDocument(const std::string& path, const RunFacts& facts, Solution& solution) {
  nlohmann::json document = planDocument(facts, solution);
  addContinuation(document, solution, {});
  return replaceFile(path, jsonLine(document) + "\n");
}

std::string reportCommandName(RunCommand command) {
  switch (command) {
    case RunCommand::LocalSearch:
      return "plan";
    case RunCommand::HybridGenetic:
      return "hga";
    case RunCommand::Genetic:
      return "ga";
    case RunCommand::ThoroughSearch:
      return "solve";
  }
  return {};
}

}  // namespace tamso::ui
