#include "search/local_search_run.h"

#include <fstream>

#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "search/dump_files.h"

namespace tamso {

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random, RunObserver* observer,
                              const std::string& dumpPath) {
  // A dump file holds only the latest run.
  removeDumpFile(dumpPath);
  LocalSearchRun run;
  run.solution = std::make_unique<Solution>(problem, estimatedGain);
  run.solution->clearRoutes();
  const bool built = buildFirstSolution(*run.solution, random, observer);
  run.stopped = !built || !localSearch(*run.solution, estimatedGain, random, observer);
  run.dumpError = appendTotalDump(dumpPath, *run.solution);
  return run;
}

}  // namespace tamso
