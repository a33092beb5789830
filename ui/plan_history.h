#pragma once
// Every change of the plan on the map is one step on Qt's undo stack: a run's plan replacing
// the one shown, and whatever else changes the plan later (a plan file opened, an order moved,
// a route locked). A step keeps the plan before and after it whole, so undoing and redoing
// never recompute anything: they put the kept plan back on the map.
#include <QString>
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>
#include <memory>

#include "report/plan_output.h"

namespace tamso {
class Solution;
}

namespace tamso::ui {

// The plan at one moment and the facts of the run that made it; no plan before the first run.
struct PlanSnapshot {
  std::shared_ptr<const Solution> plan;
  RunFacts facts;
};

// Puts a kept plan on the map (a copy of it: the map may evaluate its routes).
using PlanShower = std::function<void(const PlanSnapshot&)>;

// One change of the plan, named by `text` in the Edit menu ("Undo Local Search").
class PlanChange final : public QUndoCommand {
 public:
  PlanChange(const QString& text, PlanSnapshot before, PlanSnapshot after, PlanShower show);
  void undo() override { show_(before_); }
  void redo() override { show_(after_); }

 private:
  PlanSnapshot before_;
  PlanSnapshot after_;
  PlanShower show_;
};

class PlanHistory {
 public:
  explicit PlanHistory(PlanShower show);

  QUndoStack& stack() { return stack_; }
  // The plan shown now, as the last step done or undone left it.
  const PlanSnapshot& current() const { return current_; }
  // Shows `after` and records the change from the plan shown now, so Undo brings that back.
  void change(const QString& text, PlanSnapshot after);
  // A new problem: the plans kept so far belong to the old one, nothing goes back to them.
  void reset();
  // The plan differs from the one last saved (or, before any save, from none).
  bool changed() const { return !stack_.isClean(); }
  void markSaved() { stack_.setClean(); }

 private:
  void show(const PlanSnapshot& snapshot);

  QUndoStack stack_;
  PlanSnapshot current_;
  PlanShower show_;
};

}  // namespace tamso::ui
