// Route evaluation, insertion, the first solution and whole local searches on the bundled
// European example and on generated instances of (places, orders, vehicles).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "core/random.h"
#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "routing/first_solution.h"
#include "routing/insertion.h"
#include "routing/local_search.h"

namespace tamso {
namespace {

// Instance 0 is the European example; the others are generated on first use.
const GeneratorSettings generated[] = {{200, 400, 100, 1}, {200, 400, 200, 1}, {100, 100, 20, 1}};

const ProblemData& instance(int which) {
  static std::map<int, std::unique_ptr<ProblemData>> loaded;
  auto& slot = loaded[which];
  if (slot) return *slot;
  slot = std::make_unique<ProblemData>();
  LoadOptions options;
  std::string config;
  if (which == 0) {
    config = std::string(TAMSO_SOURCE_DIR) + "/examples/europe/europe.cfg";
    options.dataDirectory = std::string(TAMSO_SOURCE_DIR) + "/examples/europe";
  } else {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tamso_bench_" + std::to_string(::getpid()) + "_" + std::to_string(which));
    const GeneratorSettings& settings = generated[which - 1];
    if (auto error = generateInstance(dir.string(), settings)) {
      std::fprintf(stderr, "%s\n", error->c_str());
      std::exit(1);
    }
    config = (dir / "instance.cfg").string();
    options.dataDirectory = dir.string();
  }
  if (auto error = loadInstance(config, *slot, options)) {
    std::fprintf(stderr, "%s: %s\n", config.c_str(), error->message.c_str());
    std::exit(1);
  }
  if (which != 0) std::filesystem::remove_all(options.dataDirectory);
  return *slot;
}

// A first solution of the instance, built once.
const Solution& firstSolution(int which) {
  static std::map<int, std::unique_ptr<Solution>> built;
  auto& slot = built[which];
  if (!slot) {
    slot = std::make_unique<Solution>(instance(which), false);
    Random random = Random::seeded(1);
    buildFirstSolution(*slot, random);
  }
  return *slot;
}

std::int32_t longestRoute(const Solution& solution) {
  std::int32_t best = 0;
  for (std::int32_t i = 1; i < solution.routeCount(); ++i) {
    if (solution.route(i)->stopCount() > solution.route(best)->stopCount()) best = i;
  }
  return best;
}

void label(benchmark::State& state, int which) {
  if (which == 0) {
    state.SetLabel("europe");
    return;
  }
  const GeneratorSettings& s = generated[which - 1];
  state.SetLabel(std::to_string(s.places) + "/" + std::to_string(s.orders) + "/" + std::to_string(s.vehicles));
}

void routeEvaluation(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  Solution solution = firstSolution(which);
  Route& route = *solution.route(longestRoute(solution));
  const RouteStop last = route.stops().back();
  for (auto _ : state) {
    // Taking the last stop off and back on makes the next query evaluate afresh.
    route.removeStopAt(route.stopCount() - 1);
    route.insertStop(last, -1);
    benchmark::DoNotOptimize(route.gain());
  }
  label(state, which);
  state.counters["stops"] = route.stopCount();
}

// Every order of the problem asked about the longest route, right after a change of the
// route (so no answer can be remembered from an earlier question).
void canInsert(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  Solution solution = firstSolution(which);
  Route& route = *solution.route(longestRoute(solution));
  const RouteStop last = route.stops().back();
  const auto& orders = instance(which).orders;
  for (auto _ : state) {
    route.removeStopAt(route.stopCount() - 1);
    route.insertStop(last, -1);
    float fits = 0.0f;
    for (const Order& order : orders) fits += route.canInsert(order);
    benchmark::DoNotOptimize(fits);
  }
  label(state, which);
  state.counters["stops"] = route.stopCount();
  state.counters["orders"] = static_cast<double>(orders.size());
}

// A copy of a solution whose routes are rebuilt stop by stop: it knows nothing of the
// questions asked about the original.
Solution unaskedCopy(const Solution& solution) {
  Solution copy = solution;
  for (Route& route : copy.routes()) {
    Route rebuilt(route.problem(), route.vehicle());
    for (const RouteStop& stop : route.stops()) rebuilt.insertStop(stop, -1);
    rebuilt.evaluate();
    route = rebuilt;
  }
  return copy;
}

// The best route of every order of the problem, on the first solution.
void bestInsertion(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const auto& orders = instance(which).orders;
  for (auto _ : state) {
    state.PauseTiming();
    Solution solution = unaskedCopy(firstSolution(which));
    const float gain = solution.gain();
    state.ResumeTiming();
    for (const Order& order : orders) {
      float share = 0.0f;
      benchmark::DoNotOptimize(tamso::bestInsertion(solution, order, share, -100000000.0f));
      solution.setGain(gain);
    }
  }
  label(state, which);
  state.counters["orders"] = static_cast<double>(orders.size());
}

// Every relocation between every two routes of the first solution, each pair tried once in
// both directions; improving relocations are made, as in a pass of the local search.
void relocationPass(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  std::int32_t moved = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Solution solution = unaskedCopy(firstSolution(which));
    state.ResumeTiming();
    moved = 0;
    for (std::int32_t a = 0; a < solution.routeCount(); ++a) {
      for (std::int32_t b = a + 1; b < solution.routeCount(); ++b) {
        if (relocateOrder(solution, a, b)) ++moved;
        if (relocateOrder(solution, b, a)) ++moved;
      }
    }
    benchmark::DoNotOptimize(solution.gain());
  }
  label(state, which);
  state.counters["moved"] = moved;
}

void buildFirst(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Solution solution(instance(which), false);
    Random random = Random::seeded(1);
    buildFirstSolution(solution, random);
    benchmark::DoNotOptimize(solution.gain());
  }
  label(state, which);
}

void wholeLocalSearch(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const bool estimate = state.range(1) != 0;
  float gain = 0.0f;
  std::size_t unplanned = 0;
  for (auto _ : state) {
    Solution solution(instance(which), estimate);
    Random random = Random::seeded(1);
    buildFirstSolution(solution, random);
    localSearch(solution, estimate, random);
    gain = solution.gain();
    unplanned = solution.unplanned().size();
  }
  label(state, which);
  state.counters["gain"] = gain;
  state.counters["unplanned"] = static_cast<double>(unplanned);
  state.counters["estimate"] = estimate ? 1 : 0;
}

void allInstances(benchmark::internal::Benchmark* b) {
  for (int which = 0; which <= 3; ++which) b->Arg(which);
}

BENCHMARK(routeEvaluation)->Apply(allInstances);
BENCHMARK(canInsert)->Apply(allInstances)->Unit(benchmark::kMicrosecond);
BENCHMARK(bestInsertion)->Apply(allInstances)->Unit(benchmark::kMillisecond);
BENCHMARK(relocationPass)->Apply(allInstances)->Unit(benchmark::kMillisecond);
BENCHMARK(buildFirst)->Apply(allInstances)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(wholeLocalSearch)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
