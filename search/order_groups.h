#pragma once
// The grouping step of the crossover: the orders that a route of one parent and a route of
// the other parent have in common form one group.
#include <vector>

#include "report/search_trace.h"
#include "routing/solution.h"

namespace tamso {

// One list per route, in route order, each holding the route's orders in the order of their
// pickup stops; orders fixed on their route (whose pickup is among its fixed stops) are left
// out, since no crossover moves them.
std::vector<OrderList> routeOrderLists(const Solution& solution);

// For r over the first lists and, within it, s over the second lists: the orders of
// first[r] that also occur in second[s], in the order of first[r], form a group and are
// removed from both lists. Returns the non-empty groups in the order found; the lists keep
// the orders that no group took.
std::vector<OrderList> takeSharedGroups(std::vector<OrderList>& first, std::vector<OrderList>& second);

// Largest group first; groups of equal size keep the order in which they were found.
void sortGroupsBySize(std::vector<OrderList>& groups);

}  // namespace tamso
