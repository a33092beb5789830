// The plan document reader on any bytes: a document it accepts is compared with itself and
// laid over the tiny example, so every plan it lets through is rebuilt, timed and repaired.
#include <string>

#include "problem/loader.h"
#include "report/plan_diff.h"
#include "report/plan_reader.h"
#include "routing/plan_rebuild.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tamso::ProblemData problem;
  static const bool loaded = !tamso::loadInstance(std::string(TAMSO_EXAMPLES_DIR) + "/tiny/tiny.cfg", problem);
  std::string error;
  const auto plan = tamso::readSavedPlan(std::string(reinterpret_cast<const char*>(data), size), error);
  if (!plan) return 0;
  tamso::planChanges(*plan, *plan);
  if (loaded) {
    tamso::RebuildSettings settings;
    settings.now = 28492800;
    tamso::rebuildPlan(problem, *plan, settings);
  }
  return 0;
}
