#include "problem/capacity.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "problem/problem_data.h"

namespace tamso {

namespace {

const ArticleType* findArticleType(const std::vector<ArticleType>& articleTypes, const std::string& name) {
  for (const ArticleType& type : articleTypes) {
    if (type.name() == name) return &type;
  }
  return nullptr;
}

// Quantities by key in the order the keys first appear, each key found at once.
class KeyedSums {
 public:
  // Adds quantity to the key's entry, appending the key when it is new.
  void add(const std::string& key, double quantity) {
    const auto [at, added] = index_.try_emplace(key, pairs_.size());
    if (added) {
      pairs_.emplace_back(key, quantity);
    } else {
      pairs_[at->second].second += quantity;
    }
  }
  std::vector<std::pair<std::string, double>>& pairs() { return pairs_; }

 private:
  std::vector<std::pair<std::string, double>> pairs_;
  std::unordered_map<std::string, std::size_t> index_;
};

std::vector<std::pair<std::string, double>> loadPairs(const Order& order,
                                                      const std::vector<ArticleType>& articleTypes) {
  KeyedSums load;
  const QuantityList& goods = order.articles;
  for (std::int32_t i = 0; i < goods.count(); ++i) load.add(goods.keyAt(i), goods.quantityAt(i));
  for (std::int32_t i = 0; i < goods.count(); ++i) {
    const ArticleType* type = findArticleType(articleTypes, goods.keyAt(i));
    if (!type) continue;
    for (std::int32_t j = 0; j < type->count(); ++j) {
      load.add(type->keyAt(j), static_cast<double>(goods.quantityAt(i)) * type->quantityAt(j));
    }
  }
  return std::move(load.pairs());
}

// Every key's position in `keys`.
std::unordered_map<std::string, std::size_t> positions(const std::vector<std::string>& keys) {
  std::unordered_map<std::string, std::size_t> at;
  for (std::size_t i = 0; i < keys.size(); ++i) at.emplace(keys[i], i);
  return at;
}

std::vector<std::string> limitedKeys(const std::vector<VehicleType>& types) {
  std::vector<std::string> keys;
  std::unordered_set<std::string> seen;
  for (const VehicleType& type : types) {
    const QuantityList* limits = capacityList(type);
    if (!limits) continue;
    for (std::int32_t i = 0; i < limits->count(); ++i) {
      if (seen.insert(limits->keyAt(i)).second) keys.push_back(limits->keyAt(i));
    }
  }
  return keys;
}

std::vector<double> limitsOf(const VehicleType& type, const std::unordered_map<std::string, std::size_t>& keyAt) {
  const QuantityList* limits = capacityList(type);
  if (!limits) return {};
  std::vector<double> result(keyAt.size(), std::numeric_limits<double>::infinity());
  for (std::int32_t i = 0; i < limits->count(); ++i) result[keyAt.at(limits->keyAt(i))] = limits->quantityAt(i);
  return result;
}

std::vector<double> loadOver(const Order& order, const std::vector<ArticleType>& articleTypes,
                             const std::unordered_map<std::string, std::size_t>& keyAt) {
  std::vector<double> result(keyAt.size(), 0.0);
  for (const auto& [key, quantity] : loadPairs(order, articleTypes)) {
    const auto at = keyAt.find(key);
    if (at != keyAt.end()) result[at->second] = quantity;
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
  const auto keyAt = positions(problem.capacityKeys);
  for (VehicleType& type : problem.vehicleTypes) type.capacityLimits = limitsOf(type, keyAt);
  for (Order& order : problem.orders) order.capacityLoad = loadOver(order, problem.articleTypes, keyAt);
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
