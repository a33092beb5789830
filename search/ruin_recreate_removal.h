#pragma once
// Taking orders out of a plan so that they can be put back better: random orders, the
// orders that cost most, orders close to one another in place and time, or a whole route.
#include <cstdint>
#include <vector>

#include "routing/solution.h"
#include "search/ruin_recreate_draws.h"

namespace tamso {

enum class Removal : std::int32_t { Random, Worst, Related, WholeRoute };
inline constexpr std::int32_t kRemovalKinds = 4;

// Takes about `count` planned orders off their routes (a whole route may give more or fewer)
// and returns them; the routes are evaluated, the unplanned orders stay as they are.
std::vector<const Order*> removeOrders(Solution& solution, Removal kind, std::int32_t count, Draws& draws);

// How unlike two orders are: kilometres between their pickups and between their
// deliveries, plus the differences of their window starts taken as one kilometre a minute.
float unrelatedness(const ProblemData& problem, const Order& a, const Order& b);

}  // namespace tamso
