#pragma once
// Putting orders back into a plan: greedy best insertion or regret insertion, each order
// at its cheapest feasible spot over the routes near it. Priority orders go in first and at
// any gain; any other order goes in only where it raises the total, else it stays unplanned.
#include <cstdint>
#include <vector>

#include "routing/solution.h"
#include "search/ruin_recreate_draws.h"

namespace tamso {

struct RepairChoice {
  std::int32_t regret = 1;  // 1: greedy best insertion; 2 or 3: regret over that many routes
  bool noise = false;       // each trial's gain change is blurred by a random amount
};

// How many routes, nearest first, an order is tried in (routes changed by the repair are
// tried as well).
inline constexpr std::int32_t kNearRoutes = 16;

// Up to this many routes every route the repair changes is tried by every pending order; in
// a larger fleet only by the orders it is near to (no farther than the order's kNearRoutes-th
// nearest route was when the repair began), so the work per order stays bounded.
inline constexpr std::int32_t kEveryChangedRouteUpTo = 200;

// Inserts the pending orders (none of them on a route); those left over join the unplanned
// orders. The solution's gain is not updated.
void repairPlan(Solution& solution, std::vector<const Order*> pending, const RepairChoice& choice, Draws& draws);

// The indexes of the routes nearest to the order, at most `limit` of them: by the distance
// from the order's pickup and delivery to the route's start and stops.
std::vector<std::int32_t> nearRoutes(const Solution& solution, const Order& order, std::int32_t limit);

}  // namespace tamso
