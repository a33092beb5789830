#pragma once
// A cheap local improvement of a plan: each order of some routes moves to its cheapest spot
// in its own or a nearby route (or into the unplanned pool when that pays and it is no
// priority order), and orders are exchanged between two routes. Every change raises the
// total gain; the routes stay valid.
#include <cstdint>
#include <vector>

#include "routing/solution.h"
#include "search/ruin_recreate_draws.h"

namespace tamso {

// Moves orders of the given routes until none of them finds a better spot; true when
// anything changed. Routes changed on the way are added to `routes`.
bool relocateOrders(Solution& solution, std::vector<std::int32_t>& routes);

// Tries to swap each order of route a with each order of route b, each going to its
// cheapest spot in the other route; makes the first swap that raises the total.
bool exchangeOrders(Solution& solution, std::int32_t a, std::int32_t b);

// Both moves on the given routes and their neighbours, until nothing improves.
void improvePlan(Solution& solution, std::vector<std::int32_t> routes, Draws& draws);

}  // namespace tamso
