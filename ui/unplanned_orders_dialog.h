#pragma once
// "Unplanned orders": the orders the plan leaves out, with client, places, windows and
// price, and for each the reason in plain words.
#include <QDialog>

namespace tamso {
struct ProblemData;
class Solution;
}  // namespace tamso

namespace tamso::ui {

class ReportList;

class UnplannedOrdersDialog : public QDialog {
  Q_OBJECT

 public:
  UnplannedOrdersDialog(QWidget* parent, const Solution& solution);
  ReportList* list() const { return list_; }

 private:
  ReportList* list_;
};

}  // namespace tamso::ui
