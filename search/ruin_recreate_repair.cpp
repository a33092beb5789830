#include "search/ruin_recreate_repair.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "search/ruin_recreate_insertion.h"

namespace tamso {

namespace {

// The stand-in for the gain change of a route an order does not fit: orders with few
// routes left get a large regret and go first.
constexpr float kNoRoute = -1.0e9f;

// The distance from a place to the nearest place the route passes (its start included).
float distanceToRoute(const ProblemData& problem, const Route& route, const Place& place) {
  float nearest = std::numeric_limits<float>::max();
  if (const Place* start = route.vehicle().startPlace) nearest = problem.distance(*start, place);
  for (const RouteStop& stop : route.stops()) {
    if (stop.place != nullptr) nearest = std::min(nearest, problem.distance(*stop.place, place));
  }
  return nearest;
}

// The distance of an order to a route: from its pickup and from its delivery to the route.
float orderToRoute(const ProblemData& problem, const Route& route, const Order& order) {
  return distanceToRoute(problem, route, *order.pickupPlace) + distanceToRoute(problem, route, *order.deliveryPlace);
}

// A pending order and what is known of its spots: one per route, computed when first needed.
struct PendingOrder {
  const Order* order;
  float reach;  // a changed route this near (orderToRoute) is tried; infinity: every one

  std::vector<bool> tried;  // by route: the route is among the routes the order is tried in
  std::vector<bool> known;  // by route: spot is up to date
  std::vector<std::optional<InsertionSpot>> spot;
  std::vector<float> blur;  // by route: the noise added to the spot's change
};

struct Repair {
  Solution& solution;
  const RepairChoice& choice;
  Draws& draws;
  float noiseAmount;
  std::vector<PendingOrder> pending;

  void add(const Order* order) {
    const auto routes = static_cast<std::size_t>(solution.routeCount());
    PendingOrder entry{order,
                       std::numeric_limits<float>::infinity(),
                       std::vector<bool>(routes, false),
                       std::vector<bool>(routes, false),
                       std::vector<std::optional<InsertionSpot>>(routes),
                       std::vector<float>(routes, 0.0f)};
    const std::vector<std::int32_t> near = nearRoutes(solution, *order, kNearRoutes);
    for (std::int32_t r : near) entry.tried[static_cast<std::size_t>(r)] = true;
    if (solution.routeCount() > kEveryChangedRouteUpTo && !near.empty()) {
      entry.reach = orderToRoute(solution.problem(), *solution.route(near.back()), *order);
    }
    pending.push_back(std::move(entry));
  }

  void refresh(PendingOrder& entry) {
    for (std::size_t r = 0; r < entry.known.size(); ++r) {
      if (!entry.tried[r] || entry.known[r]) continue;
      entry.spot[r] = cheapestSpot(*solution.route(static_cast<std::int32_t>(r)), *entry.order);
      entry.blur[r] = choice.noise ? static_cast<float>(noiseAmount * (2.0 * draws.fraction() - 1.0)) : 0.0f;
      entry.known[r] = true;
    }
  }

  bool nearEnough(const PendingOrder& entry, const Route& route) const {
    return entry.reach == std::numeric_limits<float>::infinity() ||
           orderToRoute(solution.problem(), route, *entry.order) <= entry.reach;
  }

  // The route changed: every pending order near it tries it (again). A route only gains
  // stops here, so it only comes nearer to an order.
  void routeChanged(std::int32_t route) {
    const auto r = static_cast<std::size_t>(route);
    const Route& changed = *solution.route(route);
    for (PendingOrder& entry : pending) {
      if (!entry.tried[r] && !nearEnough(entry, changed)) continue;
      entry.tried[r] = true;
      entry.known[r] = false;
    }
  }

  // The best route of an order (-1 when it has none it may go into) and its regret.
  struct Rating {
    std::int32_t route = -1;
    float value = kNoRoute;
    float regret = 0.0f;
  };

  Rating rate(const PendingOrder& entry) const {
    std::vector<std::pair<float, std::int32_t>> values;
    for (std::size_t r = 0; r < entry.spot.size(); ++r) {
      if (!entry.known[r] || !entry.spot[r]) continue;
      values.emplace_back(entry.spot[r]->change + entry.blur[r], static_cast<std::int32_t>(r));
    }
    Rating rating;
    if (values.empty()) return rating;
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    // Only priority orders may lower the total.
    const float realBest = entry.spot[static_cast<std::size_t>(values[0].second)]->change;
    if (!entry.order->isPriority() && !(realBest > 0.0f)) return rating;
    rating.route = values[0].second;
    rating.value = values[0].first;
    for (std::int32_t h = 1; h < choice.regret; ++h) {
      const float other =
          static_cast<std::size_t>(h) < values.size() ? values[static_cast<std::size_t>(h)].first : kNoRoute;
      rating.regret += rating.value - other;
    }
    return rating;
  }

  // The pending entry to insert next: priority orders first, then by regret (or by gain
  // change for greedy insertion); -1 when no pending order can go anywhere.
  std::int32_t pickNext(Rating& chosen) {
    std::int32_t best = -1;
    bool bestPriority = false;
    for (std::size_t k = 0; k < pending.size(); ++k) {
      refresh(pending[k]);
      const Rating rating = rate(pending[k]);
      if (rating.route < 0) continue;
      const bool priority = pending[k].order->isPriority();
      bool better = best < 0 || (priority && !bestPriority);
      if (!better && priority == bestPriority) {
        better = choice.regret > 1 ? (rating.regret > chosen.regret ||
                                      (rating.regret == chosen.regret && rating.value > chosen.value))
                                   : rating.value > chosen.value;
      }
      if (better) {
        best = static_cast<std::int32_t>(k);
        bestPriority = priority;
        chosen = rating;
      }
    }
    return best;
  }

  void run() {
    while (!pending.empty()) {
      Rating rating;
      const std::int32_t next = pickNext(rating);
      if (next < 0) break;
      const PendingOrder& entry = pending[static_cast<std::size_t>(next)];
      insertAt(*solution.route(rating.route), *entry.order, *entry.spot[static_cast<std::size_t>(rating.route)]);
      pending.erase(pending.begin() + next);
      routeChanged(rating.route);
    }
    for (const PendingOrder& entry : pending) solution.unplanned().push_back(entry.order);
  }
};

float meanPrice(const ProblemData& problem) {
  if (problem.orders.empty()) return 0.0f;
  double sum = 0.0;
  for (const Order& order : problem.orders) sum += std::fabs(static_cast<double>(order.price));
  return static_cast<float>(sum / static_cast<double>(problem.orders.size()));
}

}  // namespace

std::vector<std::int32_t> nearRoutes(const Solution& solution, const Order& order, std::int32_t limit) {
  std::vector<std::pair<float, std::int32_t>> byDistance;
  const ProblemData& problem = solution.problem();
  for (std::int32_t r = 0; r < solution.routeCount(); ++r) {
    const Route& route = *solution.route(r);
    byDistance.emplace_back(orderToRoute(problem, route, order), r);
  }
  const auto keep = std::min<std::size_t>(byDistance.size(), static_cast<std::size_t>(std::max(limit, 0)));
  std::partial_sort(byDistance.begin(), byDistance.begin() + static_cast<std::ptrdiff_t>(keep), byDistance.end());
  std::vector<std::int32_t> routes;
  for (std::size_t k = 0; k < keep; ++k) routes.push_back(byDistance[k].second);
  return routes;
}

void repairPlan(Solution& solution, std::vector<const Order*> pending, const RepairChoice& choice, Draws& draws) {
  Repair repair{solution, choice, draws, 0.05f * meanPrice(solution.problem()), {}};
  for (const Order* order : pending) {
    if (order->pickupPlace == nullptr || order->deliveryPlace == nullptr) {
      solution.unplanned().push_back(order);
      continue;
    }
    repair.add(order);
  }
  repair.run();
}

}  // namespace tamso
