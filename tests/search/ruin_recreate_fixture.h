#pragma once
// Generated instances for the thorough-search tests and an independent check of a plan:
// each route's schedule is recomputed here from the travel times, service minutes and
// windows, not by the route itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "routing/solution.h"

namespace tamso::testing {

// Loads a generated instance once per settings; the files live in a folder of the process.
inline const ProblemData& generatedProblem(const GeneratorSettings& settings) {
  static std::map<std::string, std::unique_ptr<ProblemData>> loaded;
  const std::string key = std::to_string(settings.places) + "-" + std::to_string(settings.orders) + "-" +
                          std::to_string(settings.vehicles) + "-" + std::to_string(settings.seed) +
                          (settings.capacity ? "-capacity" : "");
  auto& slot = loaded[key];
  if (!slot) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tamso-thorough-" + std::to_string(::getpid()) + "-" + key);
    if (const auto error = generateInstance(dir.string(), settings)) throw std::runtime_error(*error);
    slot = std::make_unique<ProblemData>();
    LoadOptions options;
    options.dataDirectory = dir.string();
    if (const auto error = loadInstance((dir / "instance.cfg").string(), *slot, options)) {
      throw std::runtime_error(error->message);
    }
    std::filesystem::remove_all(dir);
  }
  return *slot;
}

// Every pickup comes before its delivery, a waiting stop only last, and each arrival meets
// its window at least at the minimal satisfaction, by a schedule computed here.
inline void expectRouteHolds(const Route& route) {
  const ProblemData& problem = route.problem();
  const Vehicle& vehicle = route.vehicle();
  ASSERT_NE(vehicle.startPlace, nullptr);
  std::set<const Order*> open, done;
  const Place* previous = vehicle.startPlace;
  FuzzyTime time = vehicle.startTimeOrZero();
  for (std::size_t k = 0; k < route.stops().size(); ++k) {
    const RouteStop& stop = route.stops()[k];
    if (stop.kind == StopKind::Waiting) {
      EXPECT_EQ(k + 1, route.stops().size()) << vehicle.name << ": waiting stop not last";
      break;
    }
    const FuzzyWindow& window = stop.kind == StopKind::Pickup ? stop.order->pickupWindow : stop.order->deliveryWindow;
    time.add(problem.travelTime(*previous, *stop.place));
    EXPECT_GE(time.satisfaction(window), problem.minimalSat) << vehicle.name << " stop " << k << " too late";
    time.raiseTo(window);
    if (stop.kind == StopKind::Pickup) {
      EXPECT_EQ(stop.place, stop.order->pickupPlace);
      EXPECT_TRUE(open.insert(stop.order).second && !done.count(stop.order)) << stop.order->name << " picked up twice";
      time.addMinutes(problem.pickupTime);
    } else {
      EXPECT_EQ(stop.place, stop.order->deliveryPlace);
      EXPECT_EQ(open.erase(stop.order), 1u) << stop.order->name << " delivered before its pickup";
      done.insert(stop.order);
      time.addMinutes(problem.unloadTime);
    }
    previous = stop.place;
  }
  EXPECT_TRUE(open.empty()) << vehicle.name << ": an order is never delivered";
}

// Each order once on a route or in the pool; every route holds; the gain is the total of
// routes rebuilt stop by stop from scratch.
inline void expectPlanHolds(const Solution& solution) {
  std::map<const Order*, int> seen;
  float total = 0.0f;
  for (const Route& route : solution.routes()) {
    expectRouteHolds(route);
    Route rebuilt(solution.problem(), route.vehicle());
    for (const RouteStop& stop : route.stops()) {
      RouteStop copy = stop.kind == StopKind::Pickup     ? RouteStop::pickup(*stop.order)
                       : stop.kind == StopKind::Delivery ? RouteStop::delivery(*stop.order)
                                                         : RouteStop::waiting(*stop.place);
      rebuilt.insertStop(copy, -1);
    }
    EXPECT_TRUE(rebuilt.isValid());
    for (std::int32_t k = 0; k < route.orderCount(); ++k) ++seen[route.orderAt(k)];
    total += rebuilt.gain();
  }
  for (const Order* order : solution.unplanned()) ++seen[order];
  EXPECT_EQ(seen.size(), solution.problem().orders.size());
  for (const auto& [order, count] : seen) EXPECT_EQ(count, 1) << order->name;
  EXPECT_FLOAT_EQ(solution.gain(), total);
}

}  // namespace tamso::testing
