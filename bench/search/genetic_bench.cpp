// Timings of the evolutionary search: one crossover, improving a whole population, and
// whole genetic and hybrid runs, on the European example (argument 0) and on a generated
// instances of 200 places, 400 orders and 100 vehicles (argument 1) and of 100 places, 200
// orders and 50 vehicles (argument 2). Whole runs are slow: they run once each.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "report/genetic_dumps.h"
#include "search/genetic_search.h"

namespace tamso {
namespace {

const std::filesystem::path& scratch() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / "tamso-search-bench";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

std::unique_ptr<ProblemData> load(const std::filesystem::path& config) {
  auto problem = std::make_unique<ProblemData>();
  LoadOptions options;
  options.dataDirectory = config.parent_path().string();
  if (auto error = loadInstance(config.string(), *problem, options)) {
    throw std::runtime_error(config.string() + ": " + error->message);
  }
  return problem;
}

const ProblemData& instance(std::int64_t which) {
  static std::map<std::int64_t, std::unique_ptr<ProblemData>> loaded;
  auto& slot = loaded[which];
  if (!slot) {
    if (which == 0) {
      slot = load(std::filesystem::path(TAMSO_EXAMPLES_DIR) / "europe" / "europe.cfg");
    } else {
      const auto folder = scratch() / ("generated-" + std::to_string(which));
      GeneratorSettings settings;
      settings.places = which == 1 ? 200 : 100;
      settings.orders = which == 1 ? 400 : 200;
      settings.vehicles = which == 1 ? 100 : 50;
      settings.seed = 1;
      if (auto error = generateInstance(folder.string(), settings)) throw std::runtime_error(*error);
      slot = load(folder / "instance.cfg");
    }
  }
  return *slot;
}

const char* instanceName(std::int64_t which) {
  if (which == 0) return "europe";
  return which == 1 ? "generated 200/400/100" : "generated 100/200/50";
}

GeneticDumpFiles dumps() { return GeneticDumpFiles::in(scratch().string()); }

void BM_Crossover(benchmark::State& state) {
  const ProblemData& problem = instance(state.range(0));
  Random random = Random::seeded(1);
  GeneticDumpWriter writer(dumps());
  GeneticSearch search(problem, false, random, &writer);
  search.improveAll();
  for (auto _ : state) {
    auto child = search.crossover(search.member(0), search.member(1));
    benchmark::DoNotOptimize(child->gain());
  }
  state.SetLabel(instanceName(state.range(0)));
}
BENCHMARK(BM_Crossover)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ImproveAll(benchmark::State& state) {
  const ProblemData& problem = instance(state.range(0));
  Random random = Random::seeded(1);
  for (auto _ : state) {
    GeneticDumpWriter writer(dumps());
    GeneticSearch search(problem, false, random, &writer);
    search.improveAll();
    benchmark::DoNotOptimize(search.bestGain());
  }
  state.SetLabel(instanceName(state.range(0)));
}
BENCHMARK(BM_ImproveAll)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RunGenetic(benchmark::State& state) {
  const ProblemData& problem = instance(state.range(0));
  Random random = Random::seeded(1);
  for (auto _ : state) {
    GeneticDumpWriter writer(dumps());
    GeneticSearch search(problem, false, random, &writer);
    const EvolutionReport report = search.runGenetic();
    benchmark::DoNotOptimize(report.children);
  }
  state.SetLabel(instanceName(state.range(0)));
}
BENCHMARK(BM_RunGenetic)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RunHybrid(benchmark::State& state) {
  const ProblemData& problem = instance(state.range(0));
  Random random = Random::seeded(1);
  for (auto _ : state) {
    GeneticDumpWriter writer(dumps());
    GeneticSearch search(problem, false, random, &writer);
    const EvolutionReport report = search.runHybrid();
    benchmark::DoNotOptimize(report.children);
  }
  state.SetLabel(instanceName(state.range(0)));
}
BENCHMARK(BM_RunHybrid)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
