#include "ui/plan_editor.h"

#include <memory>

#include "ui/plan_history.h"

namespace tamso::ui {

namespace {

QString nameOf(const std::string& name) { return QString::fromStdString(name); }

QString signedGain(float change) {
  return (change >= 0.0f ? QStringLiteral("+") : QString()) + QString::number(static_cast<double>(change), 'f', 2);
}

}  // namespace

const Solution* PlanEditor::plan() const { return history_.current().plan.get(); }

const Order* PlanEditor::orderNamed(const QString& name) const {
  const Solution* shown = plan();
  if (shown == nullptr) return nullptr;
  const std::string wanted = name.toStdString();
  for (const Route& route : shown->routes()) {
    for (const RouteStop& stop : route.stops()) {
      if (stop.order != nullptr && stop.order->name == wanted) return stop.order;
    }
  }
  for (const Order* order : shown->unplanned()) {
    if (order->name == wanted) return order;
  }
  return nullptr;
}

bool PlanEditor::routeLocked(std::int32_t route) const {
  const Route* shown = plan() ? plan()->route(route) : nullptr;
  return shown != nullptr && shown->closed();
}

bool PlanEditor::change(const QString& text, const std::function<bool(Solution&)>& edit) {
  if (plan() == nullptr) return false;
  auto changed = std::make_shared<Solution>(*plan());
  if (!edit(*changed)) return false;
  history_.change(text, {std::move(changed), history_.current().facts});
  return true;
}

bool PlanEditor::setLocked(std::int32_t route, bool locked) {
  if (plan() == nullptr || plan()->route(route) == nullptr || routeLocked(route) == locked) return false;
  return change(locked ? QStringLiteral("Lock route") : QStringLiteral("Unlock route"), [&](Solution& edited) {
    setRouteLocked(edited, route, locked);
    return true;
  });
}

bool PlanEditor::mayLeave(const Order& order) {
  const auto blocked = removalBlock(*plan(), order);
  if (blocked) {
    prompts_.message(window_,
                     QStringLiteral("Order %1 cannot leave its route: %2.").arg(nameOf(order.name), nameOf(*blocked)));
  }
  return !blocked;
}

bool PlanEditor::take(const Order& order, const RouteOffer& offer) {
  const bool planned = routeOf(*plan(), order) >= 0;
  return change(planned ? QStringLiteral("Move order") : QStringLiteral("Insert order"),
                [&](Solution& edited) { return applyOffer(edited, order, offer); });
}

bool PlanEditor::removeOrder(const Order& order) {
  if (plan() == nullptr) return false;
  if (!mayLeave(order)) return false;
  return change(QStringLiteral("Remove order"), [&](Solution& edited) { return unplanOrder(edited, order); });
}

Choice PlanEditor::choiceOf(const Solution& plan, const RouteOffer& offer) {
  const QString vehicle = nameOf(plan.route(offer.route)->vehicle().name);
  if (!offer.fits()) {
    return {vehicle + QStringLiteral("\t(does not fit)"),
            QStringLiteral("It does not fit: ") + nameOf(offer.reason) + QStringLiteral("."), false};
  }
  return {vehicle + QStringLiteral("\t") + signedGain(offer.gainChange),
          QStringLiteral("The total gain changes by ") + signedGain(offer.gainChange) + QStringLiteral("."), true};
}

bool PlanEditor::chooseRouteFor(const Order& order) {
  if (plan() == nullptr) return false;
  if (!mayLeave(order)) return false;
  const std::vector<RouteOffer> offers = routeOffers(*plan(), order);
  std::vector<Choice> choices;
  for (const RouteOffer& offer : offers) choices.push_back(choiceOf(*plan(), offer));
  const bool planned = routeOf(*plan(), order) >= 0;
  const QString title =
      (planned ? QStringLiteral("Move order %1 to route") : QStringLiteral("Insert order %1 into route"))
          .arg(nameOf(order.name));
  const std::optional<int> chosen = prompts_.choose(window_, title, choices);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(offers.size())) return false;
  return take(order, offers[static_cast<std::size_t>(*chosen)]);
}

bool PlanEditor::dropOrder(const Order& order, std::int32_t route) {
  if (plan() == nullptr || routeOf(*plan(), order) == route) return false;
  if (!mayLeave(order)) return false;
  const std::optional<RouteOffer> offer = routeOffer(*plan(), order, route);
  if (!offer) return false;
  if (offer->fits()) return take(order, *offer);
  prompts_.message(window_,
                   QStringLiteral("Order %1 does not fit route %2: %3.")
                       .arg(nameOf(order.name), nameOf(plan()->route(route)->vehicle().name), nameOf(offer->reason)));
  return false;
}

std::int32_t PlanEditor::routeOfVehicle(const QString& vehicle) const {
  if (plan() == nullptr) return -1;
  for (std::int32_t r = 0; r < plan()->routeCount(); ++r) {
    if (nameOf(plan()->route(r)->vehicle().name) == vehicle) return r;
  }
  return -1;
}

}  // namespace tamso::ui
