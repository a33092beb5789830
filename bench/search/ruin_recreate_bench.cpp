// Timings of the thorough search on a generated instance of 100 places, 200 orders and 50
// vehicles (seed 1): a whole seeded run of a fixed number of steps (its gain is reported as
// a counter, so a faster build can be checked for the same plan), and the cheapest spot of
// every order in every route of a Local Search plan.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "search/ruin_recreate_insertion.h"
#include "search/ruin_recreate_search.h"

namespace tamso {
namespace {

const ProblemData& generated() {
  static const std::unique_ptr<ProblemData> problem = [] {
    const auto folder = std::filesystem::temp_directory_path() / "tamso-thorough-bench";
    if (auto error = generateInstance(folder.string(), {100, 200, 50, 1})) throw std::runtime_error(*error);
    auto loaded = std::make_unique<ProblemData>();
    LoadOptions options;
    options.dataDirectory = folder.string();
    if (auto error = loadInstance((folder / "instance.cfg").string(), *loaded, options)) {
      throw std::runtime_error(error->message);
    }
    return loaded;
  }();
  return *problem;
}

void BM_SolveFixedSteps(benchmark::State& state) {
  const ProblemData& problem = generated();
  ThoroughSettings settings;
  settings.iterations = state.range(0);
  float gain = 0.0f;
  for (auto _ : state) {
    Random random = Random::seeded(1);
    const ThoroughResult result = runThoroughSearch(problem, settings, random);
    gain = result.solution->gain();
  }
  state.counters["gain"] = gain;
}
BENCHMARK(BM_SolveFixedSteps)->Arg(400)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_CheapestSpotEverywhere(benchmark::State& state) {
  const ProblemData& problem = generated();
  Random random = Random::seeded(1);
  Solution plan(problem, false);
  buildFirstSolution(plan, random);
  localSearch(plan, false, random);
  std::int64_t spots = 0;
  for (auto _ : state) {
    for (Route& route : plan.routes()) {
      for (const Order& order : problem.orders) {
        if (!route.containsOrder(order) && cheapestSpot(route, order)) ++spots;
      }
    }
  }
  state.counters["spots"] = static_cast<double>(spots) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CheapestSpotEverywhere)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
