#pragma once
// Independent pieces of work shared among the processor's cores with standard threads.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace tamso {

// Runs task (i) for i = 0 .. count - 1 on up to as many threads as the machine has cores,
// the calling thread included. Indexes are handed out in ascending order and every index
// handed out is finished. keepGoing () is asked on the calling thread only, each time before
// it takes an index; once it answers false no further index is handed out. Returns how many indexes
// were run: always the first ones, 0 .. result - 1.
template <class Task, class KeepGoing>
std::size_t runInParallel(std::size_t count, Task task, KeepGoing keepGoing) {
  if (count == 0 || !keepGoing()) return 0;
  std::atomic<std::size_t> next{1};  // the calling thread takes index 0 itself
  std::atomic<bool> stopped{false};
  // An index once taken is always run, so the indexes below `next` are exactly those run.
  auto helperWork = [&] {
    while (!stopped.load()) {
      const std::size_t i = next.fetch_add(1);
      if (i >= count) return;
      task(i);
    }
  };
  const std::size_t cores = std::max<std::size_t>(1, std::thread::hardware_concurrency());
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < std::min(cores, count); ++t) helpers.emplace_back(helperWork);
  task(0);
  for (;;) {
    if (!keepGoing()) {
      stopped.store(true);
      break;
    }
    const std::size_t i = next.fetch_add(1);
    if (i >= count) break;
    task(i);
  }
  for (std::thread& helper : helpers) helper.join();
  return std::min(next.load(), count);
}

}  // namespace tamso
