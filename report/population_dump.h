#pragma once
// The text of "population.dump": listings of the whole population and the parent pairs
// that the hybrid search draws between them.
#include <cstdint>
#include <ostream>
#include <vector>

#include "routing/solution.h"

namespace tamso {

// For each member its own gain ("maxGain: %f"), its vehicle count and one route line per
// vehicle, then the end-of-listing marker and two empty lines.
void writePopulationListing(std::ostream& out, const std::vector<Solution>& members);

// The two member indexes of one hybrid iteration: "a b".
void writeParentPair(std::ostream& out, std::int32_t first, std::int32_t second);

}  // namespace tamso
