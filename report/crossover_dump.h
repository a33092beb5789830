#pragma once
// The text of "ordd.dump", the trace of one crossover: the orders of each parent's routes
// that fell into no shared group, then one line per group in placement order.
#include <ostream>

#include "report/search_trace.h"

namespace tamso {

// One line per route of the first parent ("r: count: names"), an empty line, the same for
// the second parent and another empty line; then per group its position among the sorted
// groups and its order names ("i: names").
void writeCrossover(std::ostream& out, const CrossoverRecord& record);

}  // namespace tamso
