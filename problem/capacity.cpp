#include "problem/capacity.h"

#include <algorithm>
#include <limits>
#include <map>

#include "problem/problem_data.h"

namespace tamso {

namespace {

const ArticleType* findArticleType(const std::vector<ArticleType>& articleTypes, const std::string& name) {
  for (const ArticleType& type : articleTypes) {
    if (type.name() == name) return &type;
  }
  return nullptr;
}

// Adds quantity to the key's entry, appending the key when it is new.
void addTo(std::vector<std::pair<std::string, double>>& load, const std::string& key, double quantity) {
  for (auto& [k, q] : load) {
    if (k == key) {
      q += quantity;
      return;
    }
  }
  load.emplace_back(key, quantity);
}

std::vector<std::pair<std::string, double>> loadPairs(const Order& order,
                                                      const std::vector<ArticleType>& articleTypes) {
  std::vector<std::pair<std::string, double>> load;
  const QuantityList& goods = order.articles;
  for (std::int32_t i = 0; i < goods.count(); ++i) addTo(load, goods.keyAt(i), goods.quantityAt(i));
  for (std::int32_t i = 0; i < goods.count(); ++i) {
    const ArticleType* type = findArticleType(articleTypes, goods.keyAt(i));
    if (!type) continue;
    for (std::int32_t j = 0; j < type->count(); ++j) {
      addTo(load, type->keyAt(j), static_cast<double>(goods.quantityAt(i)) * type->quantityAt(j));
    }
  }
  return load;
}

std::vector<std::string> limitedKeys(const std::vector<VehicleType>& types) {
  std::vector<std::string> keys;
  for (const VehicleType& type : types) {
    const QuantityList* limits = capacityList(type);
    if (!limits) continue;
    for (std::int32_t i = 0; i < limits->count(); ++i) {
      if (std::find(keys.begin(), keys.end(), limits->keyAt(i)) == keys.end()) keys.push_back(limits->keyAt(i));
    }
  }
  return keys;
}

std::vector<double> limitsOf(const VehicleType& type, const std::vector<std::string>& keys) {
  const QuantityList* limits = capacityList(type);
  if (!limits) return {};
  std::vector<double> result(keys.size(), std::numeric_limits<double>::infinity());
  for (std::int32_t i = 0; i < limits->count(); ++i) {
    const auto at = std::find(keys.begin(), keys.end(), limits->keyAt(i)) - keys.begin();
    result[static_cast<std::size_t>(at)] = limits->quantityAt(i);
  }
  return result;
}

std::vector<double> loadOver(const Order& order, const std::vector<ArticleType>& articleTypes,
                             const std::vector<std::string>& keys) {
  std::vector<double> result(keys.size(), 0.0);
  for (const auto& [key, quantity] : loadPairs(order, articleTypes)) {
    const auto at = std::find(keys.begin(), keys.end(), key);
    if (at != keys.end()) result[static_cast<std::size_t>(at - keys.begin())] = quantity;
  }
  return result;
}

}  // namespace

QuantityList orderLoad(const Order& order, const std::vector<ArticleType>& articleTypes) {
  QuantityList load("LOAD");
  for (const auto& [key, quantity] : loadPairs(order, articleTypes)) load.add(key, static_cast<float>(quantity));
  return load;
}

const QuantityList* capacityList(const VehicleType& type) {
  for (const QuantityList& list : type.quantityLists) {
    if (list.name() == capacityListName) return &list;
  }
  return nullptr;
}

void deriveCapacities(ProblemData& problem) {
  problem.capacityKeys = limitedKeys(problem.vehicleTypes);
  for (VehicleType& type : problem.vehicleTypes) type.capacityLimits = limitsOf(type, problem.capacityKeys);
  for (Order& order : problem.orders) order.capacityLoad = loadOver(order, problem.articleTypes, problem.capacityKeys);
}

bool loadFits(const std::vector<double>& load, const std::vector<double>& limits) {
  const std::size_t keys = std::min(load.size(), limits.size());
  for (std::size_t k = 0; k < keys; ++k) {
    if (load[k] > limits[k]) return false;
  }
  return true;
}

bool fitsSomeVehicleType(const ProblemData& problem, const Order& order) {
  if (problem.vehicleTypes.empty()) return true;
  return std::any_of(problem.vehicleTypes.begin(), problem.vehicleTypes.end(),
                     [&](const VehicleType& type) { return loadFits(order.capacityLoad, type.capacityLimits); });
}

}  // namespace tamso
