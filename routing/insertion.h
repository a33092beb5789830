#pragma once
// Choosing the route into which an order (or a group of orders) is best inserted.
#include <cstdint>
#include <vector>

#include "routing/solution.h"

namespace tamso {

// The index of the route whose total would be highest with the order inserted, strictly
// above threshold (ties go to the lowest index), or -1. On success share is set and the
// solution's gain becomes that total; the caller then inserts the order with insertOrder.
std::int32_t bestInsertion(Solution& solution, const Order& order, float& share, float threshold);

// The same for a whole group of orders that must all fit into one route.
std::int32_t bestGroupInsertion(Solution& solution, const std::vector<const Order*>& group, float threshold);

}  // namespace tamso
