// Loading an instance whose one order carries a long goods list on one line: the small
// example with its first order's goods replaced by N distinct items (the largest N fills a
// record line to its limit of 1 MiB). The load should grow linearly with N.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "problem/loader.h"
#include "problem/text.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// " K<i> 1" for i from 0, as many as asked or as fit in `room` characters.
std::string goodsItems(std::int64_t count, std::size_t room, std::int64_t& written) {
  std::string items;
  for (written = 0; written < count; ++written) {
    const std::string item = " K" + std::to_string(written) + " 1";
    if (items.size() + item.size() > room) break;
    items += item;
  }
  return items;
}

// The tiny example copied to a folder of its own, its first order's goods list N items long.
fs::path instanceWithLongGoods(std::int64_t count, std::int64_t& items) {
  const fs::path from = fs::path(TAMSO_EXAMPLES_DIR) / "tiny";
  const fs::path to =
      fs::temp_directory_path() / ("tamso_long_line_bench_" + std::to_string(::getpid()) + "_" + std::to_string(count));
  fs::create_directories(to);
  for (const auto& entry : fs::directory_iterator(from))
    fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::overwrite_existing);
  std::string orders = readFile(to / "orders.txt");
  const std::string goods = "GOODS 1 PALLET_EUR 20";
  const std::size_t at = orders.find(goods);
  const std::size_t lineStart = orders.rfind('\n', at) + 1;
  const std::size_t room = maxRecordLineLength - (at - lineStart) - 64;
  const std::string list = goodsItems(count, room, items);
  orders.replace(at, goods.size(), "GOODS " + std::to_string(items) + list);
  std::ofstream(to / "orders.txt", std::ios::binary) << orders;
  return to;
}

void BM_LoadLongGoodsLine(benchmark::State& state) {
  std::int64_t items = 0;
  const fs::path dir = instanceWithLongGoods(state.range(0), items);
  LoadOptions options;
  options.dataDirectory = dir.string();
  for (auto _ : state) {
    ProblemData problem;
    if (auto error = loadInstance((dir / "tiny.cfg").string(), problem, options)) {
      std::fprintf(stderr, "%s\n%s\n", error->message.c_str(), error->reason.c_str());
      std::exit(1);
    }
    benchmark::DoNotOptimize(problem.orders.front().articles.count());
  }
  state.counters["items"] = static_cast<double>(items);
  fs::remove_all(dir);
}
BENCHMARK(BM_LoadLongGoodsLine)->Arg(10'000)->Arg(40'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamso

BENCHMARK_MAIN();
