#pragma once
// Improving a complete plan by first-improvement moves (routing/order_moves.h): relocating
// an order between two routes, dropping an order into the unplanned pool, inserting a pool
// order and, with the estimated gain, moving the place where a route waits.
#include <cstdint>

#include "core/random.h"
#include "routing/order_moves.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

// True when the search ended at a local optimum or after `maxPasses` passes (none when
// negative), false when the observer stopped it (the solution is still valid).
bool localSearch(Solution& solution, bool withEstimate, Random& random, RunObserver* observer = nullptr,
                 std::int32_t maxPasses = -1);

}  // namespace tamso
