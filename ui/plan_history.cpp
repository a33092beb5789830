#include "ui/plan_history.h"

#include "routing/solution.h"

namespace tamso::ui {

PlanChange::PlanChange(const QString& text, PlanSnapshot before, PlanSnapshot after, PlanShower show)
    : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), show_(std::move(show)) {}

PlanHistory::PlanHistory(PlanShower show) : show_(std::move(show)) {}

void PlanHistory::show(const PlanSnapshot& snapshot) {
  current_ = snapshot;
  show_(snapshot);
}

void PlanHistory::change(const QString& text, PlanSnapshot after) {
  // The stack runs redo() once when the step is pushed: that shows the new plan.
  stack_.push(new PlanChange(text, current_, std::move(after), [this](const PlanSnapshot& s) { show(s); }));
}

void PlanHistory::reset() {
  stack_.clear();
  current_ = {};
}

}  // namespace tamso::ui
