#pragma once
// Loads and vehicle capacities. A vehicle type's quantity list named CAPACITY limits what
// it carries, key by key; a type without one carries anything. An order's load for a key is
// the quantity of that key in its goods plus, for every goods entry naming an article type,
// the entry's quantity times the article type's quantity of that key.
//
// For cheap checks during planning the problem keeps the keys some vehicle type limits
// ("capacity keys"), and every order and vehicle type a vector over these keys.
#include <string>
#include <vector>

#include "problem/entities.h"

namespace tamso {

struct ProblemData;

inline const std::string capacityListName = "CAPACITY";

// The order's load for every key, goods keys first in goods order, then the keys the
// article types add in the order they appear.
QuantityList orderLoad(const Order& order, const std::vector<ArticleType>& articleTypes);

// The type's CAPACITY list, nothing when it has none.
const QuantityList* capacityList(const VehicleType& type);

// Fills problem.capacityKeys, every order's capacityLoad and every vehicle type's
// capacityLimits from the goods, the article types and the CAPACITY lists.
void deriveCapacities(ProblemData& problem);

// The load fits under the limits on every capacity key (empty limits: no limit; an empty
// load weighs nothing).
bool loadFits(const std::vector<double>& load, const std::vector<double>& limits);

// The order alone fits on some vehicle type; true when there are no vehicle types.
bool fitsSomeVehicleType(const ProblemData& problem, const Order& order);

}  // namespace tamso
