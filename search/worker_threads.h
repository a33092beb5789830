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
// handed out is finished. keepGoing () is asked on the calling thread only, before it takes
// an index; once it answers false no further index is handed out. Returns how many indexes
// were run: always the first ones, 0 .. result - 1.
template <class Task, class KeepGoing>
std::size_t runInParallel(std::size_t count, Task task, KeepGoing keepGoing) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stopped{false};
  auto work = [&](bool caller) {
    for (;;) {
      if (caller && !stopped.load() && !keepGoing()) stopped.store(true);
      if (stopped.load()) return;
      const std::size_t i = next.fetch_add(1);
      if (i >= count) return;
      task(i);
    }
  };
  const std::size_t cores = std::max<std::size_t>(1, std::thread::hardware_concurrency());
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < std::min(cores, count); ++t) helpers.emplace_back(work, false);
  work(true);
  for (std::thread& helper : helpers) helper.join();
  return std::min(next.load(), count);
}

}  // namespace tamso
