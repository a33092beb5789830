// What respecting vehicle capacities costs: the whole Local Search (first solution and local
// search) on one generated instance whose capacities bind, with the check on and off.
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

const GeneratorSettings settings{200, 400, 100, 1, true};

// The instance with the capacity check as asked; loaded once per setting.
const ProblemData& instance(bool checkCapacity) {
  static std::unique_ptr<ProblemData> loaded[2];
  auto& slot = loaded[checkCapacity ? 1 : 0];
  if (slot) return *slot;
  const auto dir = std::filesystem::temp_directory_path() / ("tamso_capacity_bench_" + std::to_string(::getpid()));
  if (auto error = generateInstance(dir.string(), settings)) {
    std::fprintf(stderr, "%s\n", error->c_str());
    std::exit(1);
  }
  slot = std::make_unique<ProblemData>();
  if (auto error = loadInstance((dir / "instance.cfg").string(), *slot, LoadOptions{dir.string()})) {
    std::fprintf(stderr, "%s\n", error->message.c_str());
    std::exit(1);
  }
  std::filesystem::remove_all(dir);
  slot->checkCapacity = checkCapacity;
  return *slot;
}

void localSearchRun(benchmark::State& state) {
  const bool checkCapacity = state.range(0) != 0;
  const ProblemData& problem = instance(checkCapacity);
  float gain = 0.0f;
  std::size_t unplanned = 0;
  for (auto _ : state) {
    Solution solution(problem, false);
    Random random = Random::seeded(1);
    buildFirstSolution(solution, random);
    localSearch(solution, false, random);
    gain = solution.gain();
    unplanned = solution.unplanned().size();
  }
  state.SetLabel(checkCapacity ? "200/400/100 capacity on" : "200/400/100 capacity off");
  state.counters["gain"] = gain;
  state.counters["unplanned"] = static_cast<double>(unplanned);
}

BENCHMARK(localSearchRun)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
