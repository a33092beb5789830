#include "cli/from_plan.h"

#include "report/plan_continuation.h"
#include "report/plan_reader.h"

namespace tamso::cli {

bool continueSavedPlan(RunRequest& request, const RunOptions& options, std::ostream& err) {
  if (!options.fromPath) return true;
  std::string error;
  std::optional<SavedPlan> plan = readSavedPlanFile(*options.fromPath, error);
  if (!plan) {
    err << "tamso-cli: " << error << "\n";
    return false;
  }
  for (const std::string& vehicle : options.lockedVehicles) {
    if (request.problem->findVehicle(vehicle) == nullptr) {
      err << "tamso-cli: --lock " << vehicle << ": no vehicle of that name in the data\n";
      return false;
    }
  }
  request.savedPlan = std::move(plan);
  request.lockedVehicles = options.lockedVehicles;
  request.now = options.now;
  request.problem->inputFiles.push_back(*options.fromPath);
  return true;
}

void reportContinuation(const RunRequest& request, const RunOutcome& run, std::ostream& err, nlohmann::json* document) {
  if (!request.savedPlan) return;
  printPlanProblems(err, run.planProblems, "tamso-cli: ");
  if (document != nullptr && run.solution) addContinuation(*document, *run.solution, run.planProblems);
}

}  // namespace tamso::cli
