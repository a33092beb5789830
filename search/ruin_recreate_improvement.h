#pragma once
// A cheap local improvement of the routes a ruin-and-recreate step changed, by the moves
// Local Search makes (routing/order_moves.h): orders of a changed route are relocated to and
// from every other route, dropped into or taken from the unplanned pool, and exchanged with a
// few routes drawn at random. Every change raises the total gain; the routes stay valid.
#include <cstdint>
#include <vector>

#include "routing/solution.h"
#include "search/ruin_recreate_draws.h"

namespace tamso {

// The moves on the given routes and the routes they reach, until nothing improves. The
// solution's gain must be its total when called; it is kept up to date.
void improvePlan(Solution& solution, std::vector<std::int32_t> routes, Draws& draws);

}  // namespace tamso
