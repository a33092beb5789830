// What keeping the driving and rest times costs: the whole Local Search (first solution and
// local search) on one generated 200/400/100 instance with the rules off and on, in one run.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/random.h"
#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "routing/first_solution.h"
#include "routing/local_search.h"

namespace tamso {
namespace {

const ProblemData& instance() {
  static std::unique_ptr<ProblemData> loaded;
  if (loaded) return *loaded;
  const auto dir = std::filesystem::temp_directory_path() / ("tamso_driver_rules_bench_" + std::to_string(::getpid()));
  if (auto error = generateInstance(dir.string(), GeneratorSettings{200, 400, 100, 1})) {
    std::fprintf(stderr, "%s\n", error->c_str());
    std::exit(1);
  }
  loaded = std::make_unique<ProblemData>();
  if (auto error = loadInstance((dir / "instance.cfg").string(), *loaded, LoadOptions{dir.string()})) {
    std::fprintf(stderr, "%s\n", error->message.c_str());
    std::exit(1);
  }
  std::filesystem::remove_all(dir);
  return *loaded;
}

void localSearchRun(benchmark::State& state) {
  const bool rules = state.range(0) != 0;
  const ProblemData& problem = instance();
  float gain = 0.0f;
  std::size_t unplanned = 0;
  for (auto _ : state) {
    Solution solution(problem, false, rules);
    Random random = Random::seeded(1);
    buildFirstSolution(solution, random);
    localSearch(solution, false, random);
    gain = solution.gain();
    unplanned = solution.unplanned().size();
  }
  state.SetLabel(rules ? "200/400/100 driver rules on" : "200/400/100 driver rules off");
  state.counters["gain"] = gain;
  state.counters["unplanned"] = static_cast<double>(unplanned);
}

// Off and on alternate, so both see the same state of the machine.
BENCHMARK(localSearchRun)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
