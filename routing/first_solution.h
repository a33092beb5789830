#pragma once
// The first plan: priority orders at any gain, then the other orders only where they raise
// the total, each into the route that gains most, in random order.
#include "core/random.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

// Expects empty routes and an empty unplanned list. True when every order was considered;
// false when the observer stopped the build (the orders not reached are unplanned).
bool buildFirstSolution(Solution& solution, Random& random, RunObserver* observer = nullptr);

}  // namespace tamso
