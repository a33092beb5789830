// What respecting vehicle capacities and keeping the driving and rest times cost: the whole
// Local Search (first solution and local search) on one generated 200/400/100 instance whose
// capacities bind, with the check on and off, and with the driving and rest times on and off.
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

// The whole Local Search, seeded, with the routes keeping the driving and rest times or not.
void runLocalSearch(benchmark::State& state, const ProblemData& problem, bool driverRules, const char* label) {
  float gain = 0.0f;
  std::size_t unplanned = 0;
  for (auto _ : state) {
    Solution solution(problem, false, driverRules);
    Random random = Random::seeded(1);
    buildFirstSolution(solution, random);
    localSearch(solution, false, random);
    gain = solution.gain();
    unplanned = solution.unplanned().size();
  }
  state.SetLabel(label);
  state.counters["gain"] = gain;
  state.counters["unplanned"] = static_cast<double>(unplanned);
}

void localSearchRun(benchmark::State& state) {
  const bool checkCapacity = state.range(0) != 0;
  runLocalSearch(state, instance(checkCapacity), false,
                 checkCapacity ? "200/400/100 capacity on" : "200/400/100 capacity off");
}

// What keeping the driving and rest times costs, on the instance without the capacity check.
void driverRulesRun(benchmark::State& state) {
  const bool rules = state.range(0) != 0;
  runLocalSearch(state, instance(false), rules, rules ? "200/400/100 driver rules on" : "200/400/100 driver rules off");
}

BENCHMARK(localSearchRun)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
// Off and on alternate, so both see the same state of the machine.
BENCHMARK(driverRulesRun)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
