#pragma once
// "Unplanned orders": the orders the plan leaves out, with client, places, windows and
// price, and for each the reason in plain words.
#include <QDialog>

namespace tamso {
struct ProblemData;
class Solution;
}  // namespace tamso

namespace tamso::ui {

class PlanEditor;
class ReportList;

class UnplannedOrdersDialog : public QDialog {
  Q_OBJECT

 public:
  // With an editor, "Insert into route..." takes the selected order into a route chosen from
  // the list of routes, and the dialog closes on the changed plan.
  UnplannedOrdersDialog(QWidget* parent, const Solution& solution, PlanEditor* editor = nullptr);
  ReportList* list() const { return list_; }
  // "Insert into route..." for the order of the row (shown order).
  bool insertRow(int row);

 private:
  ReportList* list_;
  PlanEditor* editor_;
};

}  // namespace tamso::ui
