#pragma once
// The moves that improve a plan, shared by Local Search and the ruin-and-recreate search:
// relocating an order between two routes, dropping an order into the unplanned pool,
// inserting a pool order, exchanging two orders of two routes and, with the estimated gain,
// moving the place where a route waits. Each move is valued on trial routes first, is made
// only when it raises the solution's gain strictly, and then keeps the new total.
#include <cstdint>

#include "routing/solution.h"

namespace tamso {

// Each move is true when it made an improving change.
bool relocateOrder(Solution& solution, std::int32_t from, std::int32_t to);
bool dropOrder(Solution& solution, std::int32_t route);
bool insertUnplanned(Solution& solution, std::int32_t route);
// Swaps an order of route a with an order of route b, each going to its best pair of
// positions in the other route; makes the first swap (a's orders outer, b's inner) that
// raises the gain.
bool exchangeOrders(Solution& solution, std::int32_t a, std::int32_t b);
bool moveWaitingPlace(Solution& solution);
void attachWaitingStops(Solution& solution);

// After a successful move between routes x and y (y is the pool index, routeCount, for a
// pool move), the pairs of Local Search's memory whose outcome may have changed are opened
// again.
void resetAfterMove(Solution& solution, std::int32_t x, std::int32_t y);

}  // namespace tamso
