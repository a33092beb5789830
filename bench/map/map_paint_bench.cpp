// One paint of the whole map at the largest problem size: 2,000 places and 1,000 routes of
// ten stops, as primitives (no window). Argument 0 paints the whole canvas (an export);
// 1 paints what a window showing the middle quarter of the places shows, zoomed in twice.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "map/map_layer.h"
#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "routing/solution.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t canvasWidth = 1600;
constexpr std::int32_t canvasHeight = 1200;
constexpr std::int32_t stopsPerRoute = 10;

// The largest generated instance, loaded once; its folder is removed after loading.
const ProblemData& largestProblem() {
  static const std::unique_ptr<ProblemData> problem = [] {
    const fs::path dir = fs::temp_directory_path() / ("tamso_map_bench_" + std::to_string(::getpid()));
    GeneratorSettings settings;
    settings.places = ProblemData::maxPlaces;
    settings.orders = ProblemData::maxOrders;
    settings.vehicles = ProblemData::maxVehicles;
    auto loaded = std::make_unique<ProblemData>();
    if (auto error = generateInstance(dir.string(), settings)) {
      std::fprintf(stderr, "%s\n", error->c_str());
      std::exit(1);
    }
    if (auto error = loadInstance((dir / "instance.cfg").string(), *loaded, {dir.string()})) {
      std::fprintf(stderr, "%s\n", error->message.c_str());
      std::exit(1);
    }
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    return loaded;
  }();
  return *problem;
}

// Every vehicle drives a route through ten places spread over the map.
std::unique_ptr<Solution> spreadRoutes(const ProblemData& problem) {
  auto plan = std::make_unique<Solution>(problem, false);
  const auto places = static_cast<std::int32_t>(problem.places.size());
  for (std::int32_t r = 0; r < plan->routeCount(); ++r) {
    for (std::int32_t k = 0; k < stopsPerRoute; ++k) {
      const Place& place = problem.places[static_cast<std::size_t>((r * 37 + k * 211) % places)];
      plan->route(r)->insertStop(RouteStop::waiting(place), -1);
    }
  }
  return plan;
}

void paintLargestMap(benchmark::State& state) {
  MapLayer layer(canvasWidth, canvasHeight);
  layer.setProblem(&largestProblem());
  layer.setSolution(spreadRoutes(largestProblem()));
  layer.showLocations = true;
  layer.showRoutes = true;
  layer.zoom = state.range(0) == 1 ? 2.0f : 1.0f;
  layer.rebuildLocations();
  layer.buildRoutes();
  layer.selectRoute(0);
  // Zoomed in twice, the window shows the middle quarter of the places.
  if (state.range(0) == 1) {
    const CanvasBox all = *layer.placesBox();
    const std::int32_t w = all.right - all.left;
    const std::int32_t h = all.bottom - all.top;
    layer.visibleArea = CanvasBox{all.left + w / 4, all.top + h / 4, all.right - w / 4, all.bottom - h / 4};
  }
  std::size_t primitives = 0;
  for (auto _ : state) {
    PrimitiveList canvas;
    layer.drawItems(canvas, {});
    primitives = canvas.size();
    benchmark::DoNotOptimize(canvas.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
  state.SetLabel(state.range(0) == 1 ? "zoom 2, a quarter of the places shown" : "whole canvas");
}
BENCHMARK(paintLargestMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
