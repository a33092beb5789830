#include "search/ruin_recreate_removal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tamso {

namespace {

struct PlannedOrder {
  const Order* order;
  std::int32_t route;
};

std::vector<PlannedOrder> plannedOrders(const Solution& solution) {
  std::vector<PlannedOrder> planned;
  for (std::int32_t r = 0; r < solution.routeCount(); ++r) {
    const Route& route = *solution.route(r);
    for (std::int32_t k = route.fixedOrders(); k < route.orderCount(); ++k) planned.push_back({route.orderAt(k), r});
  }
  return planned;
}

// An index into a list sorted best candidate first, biased towards its head: the larger
// `bias`, the more often the first entries are drawn.
std::size_t biasedIndex(Draws& draws, std::size_t size, double bias) {
  const auto at = static_cast<std::size_t>(std::pow(draws.fraction(), bias) * static_cast<double>(size));
  return std::min(at, size - 1);
}

std::vector<const Order*> takeAll(Solution& solution, const std::vector<PlannedOrder>& chosen) {
  std::vector<const Order*> taken;
  for (const PlannedOrder& entry : chosen) {
    solution.route(entry.route)->removeOrder(*entry.order);
    taken.push_back(entry.order);
  }
  return taken;
}

std::vector<PlannedOrder> pickRandom(std::vector<PlannedOrder> planned, std::int32_t count, Draws& draws) {
  std::vector<PlannedOrder> chosen;
  while (!planned.empty() && static_cast<std::int32_t>(chosen.size()) < count) {
    const auto at = static_cast<std::size_t>(draws.below(static_cast<std::int32_t>(planned.size())));
    chosen.push_back(planned[at]);
    planned.erase(planned.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return chosen;
}

// The orders whose removal loses least gain (or wins most) first.
std::vector<PlannedOrder> pickWorst(Solution& solution, std::vector<PlannedOrder> planned, std::int32_t count,
                                    Draws& draws) {
  std::vector<std::pair<float, std::size_t>> loss;
  for (std::size_t k = 0; k < planned.size(); ++k) {
    Route& route = *solution.route(planned[k].route);
    loss.emplace_back(route.gain() - route.gainWithoutOrder(*planned[k].order), k);
  }
  std::sort(loss.begin(), loss.end());
  std::vector<PlannedOrder> chosen;
  while (!loss.empty() && static_cast<std::int32_t>(chosen.size()) < count) {
    const std::size_t at = biasedIndex(draws, loss.size(), 3.0);
    chosen.push_back(planned[loss[at].second]);
    loss.erase(loss.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return chosen;
}

// Starting from a random order, each further order is drawn near one already chosen.
std::vector<PlannedOrder> pickRelated(const ProblemData& problem, std::vector<PlannedOrder> planned, std::int32_t count,
                                      Draws& draws) {
  std::vector<PlannedOrder> chosen;
  if (planned.empty()) return chosen;
  const auto first = static_cast<std::size_t>(draws.below(static_cast<std::int32_t>(planned.size())));
  chosen.push_back(planned[first]);
  planned.erase(planned.begin() + static_cast<std::ptrdiff_t>(first));
  while (!planned.empty() && static_cast<std::int32_t>(chosen.size()) < count) {
    const Order& reference =
        *chosen[static_cast<std::size_t>(draws.below(static_cast<std::int32_t>(chosen.size())))].order;
    // The order at the drawn rank of relatedness to the reference; the ranking is total, so
    // selecting that rank finds the very order a full sort would put there, in linear time.
    const std::size_t at = biasedIndex(draws, planned.size(), 6.0);
    std::nth_element(planned.begin(), planned.begin() + static_cast<std::ptrdiff_t>(at), planned.end(),
                     [&](const PlannedOrder& a, const PlannedOrder& b) {
                       const float ua = unrelatedness(problem, reference, *a.order);
                       const float ub = unrelatedness(problem, reference, *b.order);
                       return ua != ub ? ua < ub : a.order < b.order;
                     });
    chosen.push_back(planned[at]);
    planned.erase(planned.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return chosen;
}

std::vector<PlannedOrder> pickRoute(const std::vector<PlannedOrder>& planned, Draws& draws) {
  std::vector<PlannedOrder> chosen;
  if (planned.empty()) return chosen;
  const std::int32_t route =
      planned[static_cast<std::size_t>(draws.below(static_cast<std::int32_t>(planned.size())))].route;
  for (const PlannedOrder& entry : planned) {
    if (entry.route == route) chosen.push_back(entry);
  }
  return chosen;
}

}  // namespace

float unrelatedness(const ProblemData& problem, const Order& a, const Order& b) {
  if (!a.pickupPlace || !b.pickupPlace || !a.deliveryPlace || !b.deliveryPlace) return 1.0e9f;
  const float places =
      problem.distance(*a.pickupPlace, *b.pickupPlace) + problem.distance(*a.deliveryPlace, *b.deliveryPlace);
  const float times = static_cast<float>(std::abs(a.pickupWindow.start - b.pickupWindow.start)) +
                      static_cast<float>(std::abs(a.deliveryWindow.start - b.deliveryWindow.start));
  return places + times;
}

std::vector<const Order*> removeOrders(Solution& solution, Removal kind, std::int32_t count, Draws& draws) {
  std::vector<PlannedOrder> planned = plannedOrders(solution);
  switch (kind) {
    case Removal::Random:
      return takeAll(solution, pickRandom(std::move(planned), count, draws));
    case Removal::Worst:
      return takeAll(solution, pickWorst(solution, std::move(planned), count, draws));
    case Removal::Related:
      return takeAll(solution, pickRelated(solution.problem(), std::move(planned), count, draws));
    case Removal::WholeRoute:
      return takeAll(solution, pickRoute(planned, draws));
  }
  return {};
}

}  // namespace tamso
