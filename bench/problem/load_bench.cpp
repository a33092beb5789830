// Loading a generated instance of 200 places, 400 orders and 100 vehicles, on the
// great-circle rule and with a distances file that gives every ordered pair of its places
// (200 x 199 = 39,800 records).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "problem/instance_generator.h"
#include "problem/loader.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

// The generated folder with instance.cfg and roads.cfg (the same plus the full matrix),
// made on first use and removed at exit.
class Instance {
 public:
  Instance() : dir_(fs::temp_directory_path() / ("tamso_load_bench_" + std::to_string(::getpid()))) {
    if (auto error = generateInstance(dir_.string(), {200, 400, 100, 1})) fail(*error);
    ProblemData problem;
    if (auto error = loadInstance(config(false), problem, {dir_.string()})) fail(error->message);
    std::ofstream matrix(dir_ / "distances.txt");
    for (const Place& from : problem.places) {
      for (const Place& to : problem.places) {
        if (&from == &to) continue;
        const int spread = (from.index * 7 + to.index * 13) % 900;
        matrix << '"' << from.name << "\" \"" << to.name << "\" " << 100 + spread << ".25 " << 80 + spread << ".5\n";
      }
    }
    std::ifstream plain(config(false));
    std::ofstream(config(true)) << plain.rdbuf() << "distances=distances.txt\n";
  }
  ~Instance() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string config(bool roads) const { return (dir_ / (roads ? "roads.cfg" : "instance.cfg")).string(); }
  std::string folder() const { return dir_.string(); }

 private:
  [[noreturn]] static void fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
  }
  fs::path dir_;
};

const Instance& instance() {
  static const Instance made;
  return made;
}

// Argument 0: the great-circle rule only; 1: with the full road matrix.
void loadTwoHundredPlaces(benchmark::State& state) {
  const bool roads = state.range(0) == 1;
  const std::string config = instance().config(roads);
  for (auto _ : state) {
    ProblemData problem;
    if (loadInstance(config, problem, {instance().folder()})) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(problem.legWidth());
  }
  state.SetLabel(roads ? "39800 road pairs" : "great-circle rule");
}
BENCHMARK(loadTwoHundredPlaces)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
