// Work shared among threads: every index runs exactly once, and a stop leaves exactly the
// first indexes done, whatever the interleaving.
#include "search/worker_threads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace tamso {
namespace {

TEST(RunInParallel, RunsEveryIndexOnceAndAStopLeavesTheFirstIndexesDone) {
  for (std::size_t count : {0u, 1u, 7u, 200u}) {
    std::vector<std::atomic<int>> runs(count);
    EXPECT_EQ(runInParallel(
                  count, [&runs](std::size_t i) { ++runs[i]; }, [] { return true; }),
              count);
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i].load(), 1) << i;
  }
  for (int allowed : {0, 1, 5, 300}) {
    std::vector<std::atomic<int>> runs(200);
    int asked = 0;
    const std::size_t done = runInParallel(
        runs.size(), [&runs](std::size_t i) { ++runs[i]; }, [&] { return ++asked <= allowed; });
    EXPECT_GE(done, std::min(static_cast<std::size_t>(allowed), runs.size()));
    if (allowed == 0) {
      EXPECT_EQ(done, 0u);
    }
    for (std::size_t i = 0; i < runs.size(); ++i) EXPECT_EQ(runs[i].load(), i < done ? 1 : 0) << i;
  }
}

}  // namespace
}  // namespace tamso
