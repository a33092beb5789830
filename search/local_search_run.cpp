#include "search/local_search_run.h"

#include <fstream>

#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "search/dump_files.h"

namespace tamso {

namespace {

std::optional<std::string> writeDump(const std::string& path, const Solution& solution) {
  std::ofstream out(path, std::ios::app);
  if (out) writeTotalDump(out, solution);
  if (out) out.close();
  if (!out) return "Could not write the dump file \"" + path + "\"";
  return std::nullopt;
}

}  // namespace

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random, RunObserver* observer,
                              const std::string& dumpPath) {
  // A dump file holds only the latest run.
  removeDumpFile(dumpPath);
  LocalSearchRun run;
  run.solution = std::make_unique<Solution>(problem, estimatedGain);
  run.solution->clearRoutes();
  const bool built = buildFirstSolution(*run.solution, random, observer);
  run.stopped = !built || !localSearch(*run.solution, estimatedGain, random, observer);
  run.dumpError = writeDump(dumpPath, *run.solution);
  return run;
}

}  // namespace tamso
