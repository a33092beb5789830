#pragma once
// The first plan: priority orders at any gain, then the other orders only where they raise
// the total, each into the route that gains most, in random order.
#include <vector>

#include "core/random.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

// Expects empty routes and an empty unplanned list. True when every order was considered;
// false when the observer stopped the build (the orders not reached are unplanned).
bool buildFirstSolution(Solution& solution, Random& random, RunObserver* observer = nullptr);

// The same placement for the listed orders only (priority orders first), into the routes as
// they are; false when stopped (the orders not reached are unplanned).
bool placeOrders(Solution& solution, const std::vector<const Order*>& orders, Random& random,
                 RunObserver* observer = nullptr);
// Places the solution's unplanned orders so: a plan that was given, not built, takes the
// orders it does not serve yet.
bool placeUnplanned(Solution& solution, Random& random, RunObserver* observer = nullptr);

}  // namespace tamso
