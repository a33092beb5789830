#pragma once
// A hand-made plan for the inspection tests: two vehicles with one order each, a vehicle
// without any start, and a map layer drawing the plan with routes at chosen pixels.
#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <memory>
#include <optional>
#include <vector>

#include "map/map_layer.h"
#include "routing/solution.h"
#include "tests/routing/small_problem.h"
#include "ui/user_prompts.h"

namespace tamso::testing {

// Deletes the windows that closed themselves.
inline void processDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Answers the colour chooser with a prepared colour (nothing: Cancel) and counts the asks.
class FakePrompts final : public ui::UserPrompts {
 public:
  void message(QWidget*, const QString& text) override { messages.push_back(text); }
  std::optional<QString> openFile(QWidget*, const QString&, const QString&) override { return std::nullopt; }
  std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override {
    initialColours.push_back(initial);
    return answer;
  }
  std::optional<QColor> answer;
  std::vector<QColor> initialColours;
  std::vector<QString> messages;
};

struct PlanFixture {
  PlanFixture() {
    const Place& a = problem.addPlace("ALPHA");
    const Place& b = problem.addPlace("BRAVO");
    const Place& c = problem.addPlace("CHARLIE");
    problem.addPlace("DELTA");
    placeAt(0, 0.0f, 50.0f);
    placeAt(1, 10.0f, 50.0f);
    placeAt(2, 10.0f, 40.0f);
    placeAt(3, 40.0f, 35.0f);
    problem.setLeg(a, b, 10.0f, FuzzyTime(10, 12, 14));
    problem.setLeg(a, c, 20.0f, FuzzyTime(20, 22, 24));
    problem.setLeg(b, c, 15.0f, FuzzyTime(15, 16, 17));
    problem.addVehicle("TRUCK1", &a, FuzzyTime(0, 0, 0));
    problem.addVehicle("TRUCK2", &b, FuzzyTime(0, 0, 0));
    problem.addVehicle("NOSTART", nullptr);
    problem.data.vehicles.back().startTime.reset();
    problem.data.horizonEnd = 10000;
    problem.addOrder("ORDER1", a, FuzzyWindow(0, 500, 600), b, FuzzyWindow(0, 500, 600), 500.0f);
    problem.addOrder("ORDER2", b, FuzzyWindow(0, 500, 600), c, FuzzyWindow(0, 500, 600), 500.0f);
  }

  void placeAt(std::size_t i, float longitude, float latitude) {
    problem.data.places[i].longitude = longitude;
    problem.data.places[i].latitude = latitude;
  }

  ProblemData& data() { return problem.data; }
  const Order& order(int i) const { return problem.data.orders[static_cast<std::size_t>(i)]; }

  // A layer of 800 x 600 pixels showing the places and the plan's two routes.
  std::unique_ptr<MapLayer> makeLayer() {
    auto plan = std::make_unique<Solution>(problem.data, false);
    plan->route(0)->insertOrder(order(0));
    plan->route(1)->insertOrder(order(1));
    auto layer = std::make_unique<MapLayer>(800, 600);
    layer->setProblem(&problem.data);
    layer->setSolution(std::move(plan));
    layer->showLocations = true;
    layer->showRoutes = true;
    layer->rebuildLocations();
    layer->buildRoutes();
    layer->reprojectRoutes();
    // Routes at chosen pixels, clear of every location: TRUCK1 along the row y = 100 from
    // x = 50 to 250, TRUCK2 down the diagonal from (300, 50) to (400, 150).
    layer->mapRoute(0)->points = {{50, 100, nullptr}, {50, 100, nullptr}, {250, 100, nullptr}};
    layer->mapRoute(1)->points = {{300, 50, nullptr}, {300, 50, nullptr}, {400, 150, nullptr}};
    return layer;
  }

  SmallProblem problem;
};

}  // namespace tamso::testing
