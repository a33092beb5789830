#include "report/plan_diff.h"

#include <cstdlib>
#include <map>

#include "problem/text.h"

namespace tamso {

namespace {

using nlohmann::json;

// Where each order is served and when its stops start, in one plan.
struct Placement {
  std::string vehicle;
  std::map<StopKind, std::optional<std::int32_t>> starts;
};

std::map<std::string, Placement> placements(const SavedPlan& plan) {
  std::map<std::string, Placement> placed;
  for (const SavedRoute& route : plan.routes) {
    for (const SavedStop& stop : route.stops) {
      if (stop.kind == StopKind::Waiting) continue;
      Placement& p = placed[stop.order];
      p.vehicle = route.vehicle;
      p.starts[stop.kind] = stop.serviceStart;
    }
  }
  return placed;
}

std::string vehicleOf(const std::map<std::string, Placement>& placed, const std::string& order) {
  const auto found = placed.find(order);
  return found == placed.end() ? std::string() : found->second.vehicle;
}

void addRetimed(VehicleChanges& changes, const std::string& order, const Placement& old, const Placement& now) {
  for (const auto& [kind, start] : now.starts) {
    const auto before = old.starts.find(kind);
    if (!start || before == old.starts.end() || !before->second) continue;
    if (std::abs(*start - *before->second) > kRetimedMinutes) {
      changes.retimed.push_back({order, kind, *before->second, *start});
    }
  }
}

// The orders a route serves, each once, in the order of their first stop.
std::vector<std::string> ordersOf(const SavedRoute& route) {
  std::vector<std::string> orders;
  for (const SavedStop& stop : route.stops) {
    if (stop.kind == StopKind::Pickup) orders.push_back(stop.order);
  }
  return orders;
}

VehicleChanges changesOf(const std::string& vehicle, const SavedRoute* old, const SavedRoute* now,
                         const std::map<std::string, Placement>& before,
                         const std::map<std::string, Placement>& after) {
  VehicleChanges changes{vehicle, {}, {}, {}, {}};
  if (now != nullptr) {
    for (const std::string& order : ordersOf(*now)) {
      const std::string from = vehicleOf(before, order);
      if (from.empty()) {
        changes.added.push_back({order, ""});
      } else if (from != vehicle) {
        changes.moved.push_back({order, from});
      } else {
        addRetimed(changes, order, before.at(order), after.at(order));
      }
    }
  }
  if (old != nullptr) {
    for (const std::string& order : ordersOf(*old)) {
      const std::string to = vehicleOf(after, order);
      if (to != vehicle) changes.removed.push_back({order, to});
    }
  }
  return changes;
}

const SavedRoute* routeOf(const SavedPlan& plan, const std::string& vehicle) {
  for (const SavedRoute& route : plan.routes) {
    if (route.vehicle == vehicle) return &route;
  }
  return nullptr;
}

json changeList(const std::vector<OrderChange>& list, const char* otherKey) {
  json entries = json::array();
  for (const OrderChange& c : list) {
    entries.push_back({{"order", c.order}, {otherKey, c.otherVehicle.empty() ? json(nullptr) : json(c.otherVehicle)}});
  }
  return entries;
}

}  // namespace

std::vector<VehicleChanges> planChanges(const SavedPlan& before, const SavedPlan& after) {
  const std::map<std::string, Placement> old = placements(before);
  const std::map<std::string, Placement> now = placements(after);
  std::vector<VehicleChanges> all;
  for (const SavedRoute& route : after.routes) {
    VehicleChanges changes = changesOf(route.vehicle, routeOf(before, route.vehicle), &route, old, now);
    if (!changes.empty()) all.push_back(std::move(changes));
  }
  for (const SavedRoute& route : before.routes) {
    if (routeOf(after, route.vehicle) != nullptr) continue;
    VehicleChanges changes = changesOf(route.vehicle, &route, nullptr, old, now);
    if (!changes.empty()) all.push_back(std::move(changes));
  }
  return all;
}

void printPlanChanges(std::ostream& out, const std::vector<VehicleChanges>& changes) {
  if (changes.empty()) out << "No changes.\n";
  for (const VehicleChanges& v : changes) {
    out << "Vehicle " << v.vehicle << ":\n";
    for (const OrderChange& c : v.added) out << "  + " << c.order << " (new on the routes)\n";
    for (const OrderChange& c : v.moved) out << "  + " << c.order << " (from " << c.otherVehicle << ")\n";
    for (const OrderChange& c : v.removed) {
      out << "  - " << c.order << (c.otherVehicle.empty() ? " (off the routes)" : " (to " + c.otherVehicle + ")")
          << "\n";
    }
    for (const RetimedStop& r : v.retimed) {
      const std::int32_t shift = r.after - r.before;
      out << "  ~ " << r.order << " " << stopKindName(r.kind) << " " << formatDateTime(r.before) << " -> "
          << formatDateTime(r.after) << " (" << (shift > 0 ? "+" : "") << shift << " min)\n";
    }
  }
}

json planChangesJson(const std::vector<VehicleChanges>& changes) {
  json vehicles = json::array();
  for (const VehicleChanges& v : changes) {
    json retimed = json::array();
    for (const RetimedStop& r : v.retimed) {
      retimed.push_back({{"order", r.order},
                         {"kind", stopKindName(r.kind)},
                         {"before", r.before},
                         {"after", r.after},
                         {"minutes", r.after - r.before}});
    }
    vehicles.push_back({{"vehicle", v.vehicle},
                        {"added", changeList(v.added, "from")},
                        {"moved", changeList(v.moved, "from")},
                        {"removed", changeList(v.removed, "to")},
                        {"retimed", std::move(retimed)}});
  }
  return {{"changes", std::move(vehicles)}};
}

}  // namespace tamso
