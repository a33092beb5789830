#pragma once
// A small hand-made problem for the evolutionary search tests: places on a line 10 km and
// 10 minutes apart, one country, wide windows that every vehicle meets, vehicles starting at
// the first place. With zero costs a route's gain is just the prices it delivers.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "problem/problem_data.h"
#include "routing/solution.h"
#include "tests/numbered_name.h"
#include "tests/temp_folder.h"

namespace tamso::testing {

struct OrderLine {
  std::string name;
  std::int32_t from = 0;
  std::int32_t to = 1;
  float price = 100.0f;
};

struct LineSettings {
  std::int32_t places = 4;
  std::int32_t vehicles = 2;
  float costPerKm = 0.0f;
  float costPerDay = 0.0f;
  std::vector<OrderLine> orders;
};

inline std::unique_ptr<ProblemData> makeLineProblem(const LineSettings& settings) {
  auto problem = std::make_unique<ProblemData>();
  problem->pickupTime = 10;
  problem->unloadTime = 10;
  problem->minimalSat = 0.5;
  problem->travelTimeFuzzines = 0.0;
  problem->countries.push_back({"DE", settings.costPerDay, settings.costPerKm, 0.0f});
  for (std::int32_t i = 0; i < settings.places; ++i) {
    Place place;
    place.name = numberedName("P", i);
    place.index = i;
    place.country = &problem->countries[0];
    problem->places.push_back(place);
  }
  Region region;
  region.name = "R0";
  region.representingPlace = &problem->places[0];
  region.country = &problem->countries[0];
  problem->regions.push_back(region);
  problem->sizeLegTables(settings.places);
  for (const Place& p : problem->places) {
    for (const Place& q : problem->places) {
      const std::int32_t d = 10 * (p.index > q.index ? p.index - q.index : q.index - p.index);
      problem->setLeg(p, q, static_cast<float>(d), FuzzyTime(d, d, d));
    }
  }
  for (std::int32_t v = 0; v < settings.vehicles; ++v) {
    Vehicle vehicle;
    vehicle.name = numberedName("V", v);
    vehicle.startPlace = &problem->places[0];
    vehicle.startTime = FuzzyTime(0, 0, 0);
    problem->vehicles.push_back(vehicle);
  }
  for (const OrderLine& line : settings.orders) {
    Order order;
    order.name = line.name;
    order.pickupPlace = &problem->places[static_cast<std::size_t>(line.from)];
    order.deliveryPlace = &problem->places[static_cast<std::size_t>(line.to)];
    order.pickupWindow = FuzzyWindow(0, 100000, 200000);
    order.deliveryWindow = FuzzyWindow(0, 100000, 200000);
    order.price = line.price;
    problem->orders.push_back(order);
  }
  problem->horizonEnd = problem->orders.empty() ? 0 : 200000;
  return problem;
}

inline const Order& orderNamed(const ProblemData& problem, const std::string& name) {
  for (const Order& order : problem.orders) {
    if (order.name == name) return order;
  }
  throw std::runtime_error("no order " + name);
}

// Puts the named orders, in turn, on route r of the solution.
inline void planOrders(Solution& solution, std::int32_t r, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (!solution.route(r)->insertOrder(orderNamed(solution.problem(), name))) {
      throw std::runtime_error("order " + name + " does not fit");
    }
  }
}

inline std::vector<std::string> orderNames(const std::vector<const Order*>& orders) {
  std::vector<std::string> names;
  for (const Order* order : orders) names.push_back(order->name);
  return names;
}

inline std::vector<std::string> routeOrderNames(const Route& route) {
  std::vector<std::string> names;
  for (std::int32_t k = 0; k < route.orderCount(); ++k) names.push_back(route.orderAt(k)->name);
  return names;
}

inline std::string readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A fresh, empty folder of its own for each test's trace files.
class ScratchFolder : public TempFolder {
 public:
  explicit ScratchFolder(const std::string& name) : TempFolder("tamso-genetic-" + name) {}
  std::string file(const std::string& name) const { return (path() / name).string(); }
};

}  // namespace tamso::testing
