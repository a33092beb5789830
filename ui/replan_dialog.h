#pragma once
// Optimization > "Re-plan from...": the date and time from which the plan is made anew
// (every stop started before it stays where it is) and the optimiser that makes it.
#include <QDateTime>
#include <QDialog>

#include "run/run_request.h"

class QComboBox;
class QDateTimeEdit;

namespace tamso::ui {

class ReplanDialog : public QDialog {
  Q_OBJECT

 public:
  // `start`: the time offered first.
  ReplanDialog(QWidget* parent, const QDateTime& start);
  // The time chosen as the data files write it, "YYYY-MM-DD HH:MM".
  QString timeText() const;
  RunCommand command() const;
  QDateTimeEdit* timeField() const { return time_; }
  QComboBox* optimiserField() const { return optimiser_; }

 private:
  QDateTimeEdit* time_;
  QComboBox* optimiser_;
};

}  // namespace tamso::ui
