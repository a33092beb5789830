#pragma once
// The text of "ordd.dump", the trace of one crossover: the orders of each parent's routes
// that fell into no shared group, then one line per group in placement order.
#include <cstdint>
#include <ostream>
#include <vector>

#include "problem/entities.h"

namespace tamso {

using OrderList = std::vector<const Order*>;

// One line per route of the first parent ("r: count: names"), an empty line, the same for
// the second parent, and another empty line.
void writeLeftoverOrders(std::ostream& out, const std::vector<OrderList>& firstParent,
                         const std::vector<OrderList>& secondParent);

// The head of a group's line: its position among the sorted groups and its order names.
// The line is ended by endGroupLine once the group has been placed.
void writeGroupHead(std::ostream& out, std::int32_t position, const OrderList& group);
void endGroupLine(std::ostream& out);

}  // namespace tamso
