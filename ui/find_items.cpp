#include "ui/find_items.h"

#include <algorithm>

#include "problem/problem_data.h"
#include "problem/text.h"
#include "routing/solution.h"

namespace tamso::ui {

namespace {

// The vehicle whose route holds the order, or none.
const Vehicle* servingVehicle(const Solution* plan, const Order& order) {
  if (plan == nullptr) return nullptr;
  for (const Route& route : plan->routes()) {
    for (const RouteStop& stop : route.stops()) {
      if (stop.order == &order) return &route.vehicle();
    }
  }
  return nullptr;
}

// The client's first order that is planned, else its first order: where the map shows the client.
const Order* shownOrderOf(const ProblemData& problem, const Solution* plan, const Client& client) {
  const Order* first = nullptr;
  for (const Order& order : problem.orders) {
    if (order.client != &client) continue;
    if (servingVehicle(plan, order) != nullptr) return &order;
    if (first == nullptr) first = &order;
  }
  return first;
}

}  // namespace

const char* foundKindName(FoundKind kind) {
  switch (kind) {
    case FoundKind::Order:
      return "order";
    case FoundKind::Client:
      return "client";
    case FoundKind::Place:
      return "place";
    case FoundKind::Vehicle:
      return "vehicle";
  }
  return "";
}

std::vector<FoundItem> findByName(const ProblemData& problem, const Solution* plan, const std::string& part) {
  std::vector<FoundItem> found;
  const std::string wanted = upperCasedName(part);
  if (wanted.empty()) return found;
  const auto matches = [&wanted](const std::string& name) {
    return upperCasedName(name).find(wanted) != std::string::npos;
  };
  for (const Order& order : problem.orders) {
    if (matches(order.name))
      found.push_back({FoundKind::Order, order.name, order.pickupPlace, servingVehicle(plan, order)});
  }
  for (const Client& client : problem.clients) {
    if (!matches(client.name)) continue;
    const Order* shown = shownOrderOf(problem, plan, client);
    found.push_back({FoundKind::Client, client.name, shown ? shown->pickupPlace : nullptr,
                     shown ? servingVehicle(plan, *shown) : nullptr});
  }
  for (const Place& place : problem.places) {
    if (matches(place.name)) found.push_back({FoundKind::Place, place.name, &place, nullptr});
  }
  for (const Vehicle& vehicle : problem.vehicles) {
    if (matches(vehicle.name)) found.push_back({FoundKind::Vehicle, vehicle.name, vehicle.startPlace, &vehicle});
  }
  return found;
}

}  // namespace tamso::ui
