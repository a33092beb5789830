#include "routing/run_observer.h"

namespace tamso {

namespace {

std::string stepOfTotal(const char* what, const RunProgress& progress) {
  return std::string(what) + " " + std::to_string(progress.step) + " of " + std::to_string(progress.total);
}

}  // namespace

std::string describeStep(const RunProgress& progress) {
  switch (progress.phase) {
    case RunProgress::Phase::FirstSolution:
      return progress.total > 0 ? stepOfTotal("building the first solution: order", progress)
                                : std::string("building the first solution");
    case RunProgress::Phase::LocalSearchPass:
      return "pass " + std::to_string(progress.step);
    case RunProgress::Phase::BuildingMember:
      return stepOfTotal("building member", progress);
    case RunProgress::Phase::Generation:
      return stepOfTotal("generation", progress);
    case RunProgress::Phase::Iteration:
      return stepOfTotal("iteration", progress);
  }
  return {};
}

}  // namespace tamso
