#pragma once
// The plan changed by hand in the window: an order moved to another route, taken in from
// the unplanned orders or sent to them, a route locked or unlocked. Each change is one step
// of the plan's history, so Undo brings back the plan before it.
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "routing/plan_edits.h"
#include "ui/user_prompts.h"

class QWidget;

namespace tamso::ui {

class PlanHistory;

class PlanEditor {
 public:
  PlanEditor(QWidget* window, UserPrompts& prompts, PlanHistory& history)
      : window_(window), prompts_(prompts), history_(history) {}

  // The plan shown now; nullptr before the first.
  const Solution* plan() const;
  // The order of that name on the plan shown (on a route or unplanned); nullptr for none.
  const Order* orderNamed(const QString& name) const;
  bool routeLocked(std::int32_t route) const;

  // "Lock route" and "Unlock route".
  bool setLocked(std::int32_t route, bool locked);
  // "Remove order from route": the order goes to the unplanned orders; why it cannot is told.
  bool removeOrder(const Order& order);
  // "Move order to route..." and "Insert into route...": the routes with the change of the
  // total gain, best first, those where the order does not fit greyed with the reason; the
  // order goes to the route chosen.
  bool chooseRouteFor(const Order& order);
  // An order dragged onto a route's window: moved there at its best positions like a move
  // chosen from the list; why it cannot go there is told.
  bool dropOrder(const Order& order, std::int32_t route);
  // The index of the route of that vehicle on the plan shown; -1 for none.
  std::int32_t routeOfVehicle(const QString& vehicle) const;

  // The line of the list for one offer.
  static Choice choiceOf(const Solution& plan, const RouteOffer& offer);

 private:
  // Whether the order may leave its route; why not is told.
  bool mayLeave(const Order& order);
  // The order moved or inserted as the offer says, as one step.
  bool take(const Order& order, const RouteOffer& offer);
  // Applies `edit` to a copy of the plan shown and records it as the step `text`; nothing
  // is recorded when the edit changes nothing.
  bool change(const QString& text, const std::function<bool(Solution&)>& edit);

  QWidget* window_;
  UserPrompts& prompts_;
  PlanHistory& history_;
};

}  // namespace tamso::ui
