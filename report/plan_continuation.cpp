#include "report/plan_continuation.h"

namespace tamso {

namespace {

using nlohmann::json;

json problemsJson(const std::vector<PlanProblem>& problems) {
  json list = json::array();
  for (const PlanProblem& p : problems) {
    list.push_back({{"order", p.order}, {"vehicle", p.vehicle}, {"reason", p.reason}, {"kept", p.kept}});
  }
  return list;
}

void markLocked(json& document, const Solution& plan) {
  if (!document.contains("routes")) return;
  json& routes = document["routes"];
  for (std::size_t i = 0; i < routes.size() && i < plan.routes().size(); ++i) {
    routes[i]["locked"] = plan.routes()[i].closed();
  }
}

}  // namespace

void addContinuation(json& document, const Solution& plan, const std::vector<PlanProblem>& problems) {
  markLocked(document, plan);
  document["problems"] = problemsJson(problems);
  if (document.contains("best") && document["best"].is_object()) addContinuation(document["best"], plan, problems);
}

void printPlanProblems(std::ostream& out, const std::vector<PlanProblem>& problems, const char* prefix) {
  for (const PlanProblem& p : problems) {
    out << prefix << "order " << p.order << (p.kept ? " stays on route " : " leaves route ") << p.vehicle
        << (p.kept ? " (under way): " : ": ") << p.reason << "\n";
  }
}

}  // namespace tamso
